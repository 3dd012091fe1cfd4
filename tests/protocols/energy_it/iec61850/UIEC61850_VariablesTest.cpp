// The IEC 61850 server variables window driven like a user: its rules with their exact
// messages (first error only, enabled rows only, the factor read with the user's decimal
// separator), the empty name that ends the table, the file written on OK compared byte for
// byte with a hand-made fixture, a loaded file with its missing attributes, and the row buttons.

#include "protocols/energy_it/iec61850/UIEC61850_Variables.h"

#include "common/UComonState.h"
#include "platform/Services.h"
#include "support/FakeMessages.h"
#include "support/ProgramFolder.h"
#include "support/TableWindowDriver.h"
#include "support/TableWindowTest.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLocale>

#include <gtest/gtest.h>

#include <optional>

namespace {

using energy_it::TFIEC61850_Variables;
using testsupport::TableWindowDriver;
namespace col = energy_it::iec61850_var_col;

const QString kGapRefused = QStringLiteral("Error row 2!! This row is empty but rows below it are filled: fill it in "
                                           "or delete it, or the rows below would not be saved");

// Columns 1 .. 12 of a row that passes: Enable, Name, Type, Length, Read Only, Position,
// Start Bit, Conversion, Molt. Factor, Swap, Swap Word, Mnemonic.
QStringList goodRow()
{
    return {"Y", "V1", "Int", "2", "N", "0", "", "None", "None", "N", "N", ""};
}

QStringList rowWith(int column, const QString& text)
{
    QStringList row = goodRow();
    row[column - 1] = text;
    return row;
}

// Sets the user's decimal separator for the life of the object.
class DecimalSeparator {
public:
    explicit DecimalSeparator(QChar separator)
    {
        QLocale::setDefault(separator == QLatin1Char(',') ? QLocale(QLocale::German, QLocale::Germany)
                                                          : QLocale(QLocale::English, QLocale::UnitedStates));
    }
    ~DecimalSeparator() { QLocale::setDefault(saved_); }

private:
    QLocale saved_;
};

class IEC61850Variables : public testsupport::TableWindowTest<TFIEC61850_Variables> {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        Start(&common::TProgramState::File_IEC61850_Variables, "IEC61850_Variables.xml");
    }

    void open()
    {
        w->hide();
        user->open();
    }

    // Shows the window afresh with these rows from row 1 and presses OK; the message shown,
    // or an empty text when the file was written.
    QString okWith(const std::vector<QStringList>& rows)
    {
        messages.shown.clear();
        QFile::remove(path());
        open();
        for (size_t i = 0; i < rows.size(); ++i)
            TableWindowDriver::setRow(table(), int(i) + 1, rows[i]);
        user->press("Btn_OK");
        if (user->messageCount() > 0) {
            EXPECT_FALSE(QFile::exists(path()));
            EXPECT_TRUE(w->isVisible());
            return user->lastMessage();
        }
        EXPECT_EQ(user->result(), TFIEC61850_Variables::kModalOK);
        EXPECT_TRUE(QFile::exists(path()));
        return QString();
    }

    grid::TQvColumnGrid& table() const { return *w->ACG; }
};

TEST_F(IEC61850Variables, ANewProjectShowsFiftyEnabledEmptyRowsAndOKWritesABareRoot)
{
    open();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Set Variables Access for IEC61850"));
    EXPECT_EQ(w->size(), QSize(1155, 337));
    EXPECT_EQ(table().ColCount(), 13);
    EXPECT_EQ(table().RowCount(), 51);
    EXPECT_EQ(w->NByte_IN, 1438);
    for (int row = 1; row <= 50; ++row) {
        EXPECT_EQ(table().Cells(col::N, row), QString::number(row));
        EXPECT_EQ(table().Cells(col::Enable, row), QStringLiteral("Y"));
        for (int c = col::Name; c < col::Count; ++c)
            EXPECT_EQ(table().Cells(c, row), QString()) << c << "," << row;
    }
    EXPECT_EQ(table().Columns()[col::Type].ComboItems(), QStringList({"Int", "Float", "Digital (Bit)"}));
    EXPECT_EQ(table().Columns()[col::StartBit].ComboItems(), QStringList({"0", "1", "2", "3", "4", "5", "6", "7"}));
    EXPECT_EQ(table().Columns()[col::Conversion].ComboItems(), QStringList({"None", "Int to Float", "Float to Int"}));
    EXPECT_EQ(table().Columns()[col::MultiplicationFactor].ComboItems(), QStringList({"None"}));
    EXPECT_EQ(table().Columns()[col::MultiplicationFactor].Editor(), grid::edComboEdit);
    EXPECT_EQ(table().Columns()[col::SwapWord].Editor(), grid::edDataCheckBox);
    EXPECT_EQ(table().Cells(col::MultiplicationFactor, 0), QStringLiteral("Molt. Factor"));
    EXPECT_EQ(w->Hint_List().size(), 12);
    EXPECT_EQ(w->Hint_List().value(col::StartBit - 1),
              QStringLiteral("Select the bit to set in the Internal Data Array (Valid only for Digital (Bit))"));

    user->press("Btn_OK");
    EXPECT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
    EXPECT_EQ(testsupport::readFile(path()), QByteArray("<IEC61850_Variables />\n<!--SW_VERSION = 1.000-->\n"));
}

TEST_F(IEC61850Variables, EachRuleRefusesOKWithItsMessage)
{
    struct Case {
        int column;
        const char* text;
        const char* message; // nullptr: passes
    } cases[] = {
        {col::Position, "1437", nullptr},
        {col::Position, "1438", "Error row 1!! Position must be between 0 and 1437"},
        {col::Position, "-1", "Error row 1!! Position must be between 0 and 1437"},
        {col::Position, "abc", "Error row 1!! Position must be between 0 and 1437"},
        {col::Length, "0", "Error row 1!! Length must be between 1 and 4"},
        {col::Length, "5", "Error row 1!! Length must be between 1 and 4"},
        {col::Length, "", "Error row 1!! Length must be between 1 and 4"},
        {col::Length, "1", nullptr},
        {col::Length, "4", nullptr},
        {col::Type, "Digital (Bit)", "Error row 1!! Start Bit must be Selected "},
        {col::Type, "Float", nullptr},
        {col::Type, "Digital (Bit) ", nullptr}, // only the exact text asks for a bit
        {col::StartBit, "  ", nullptr},
        {col::Conversion, "", "Error row 1!! Conversion must be Selected "},
        {col::Conversion, "  ", "Error row 1!! Conversion must be Selected "},
        {col::MultiplicationFactor, "none", nullptr},
        {col::MultiplicationFactor, " NONE ", nullptr},
        {col::MultiplicationFactor, "abc", "Error row 1!! Molt. Factor must be a valid Float"},
        {col::MultiplicationFactor, "", "Error row 1!! Molt. Factor must be a valid Float"},
        {col::MultiplicationFactor, "2.5", nullptr},
        // A blank name with the row filled: saving would drop the row without a word.
        {col::Name, "  ",
         "Error row 1!! This row is empty but rows below it are filled: fill it in or delete it, or "
         "the rows below would not be saved"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(std::to_string(k.column) + " \"" + k.text + "\"");
        EXPECT_EQ(okWith({rowWith(k.column, QLatin1String(k.text))}),
                  k.message ? QString::fromUtf8(k.message) : QString());
    }
}

TEST_F(IEC61850Variables, DigitalNeedsAStartBitAndOnlyTheFirstFailureOfEnabledRowsIsShown)
{
    QStringList digital = rowWith(col::Type, QStringLiteral("Digital (Bit)"));
    digital[col::StartBit - 1] = QStringLiteral("3");
    EXPECT_EQ(okWith({digital}), QString());

    // Length comes before Position.
    QStringList both = rowWith(col::Length, QStringLiteral("9"));
    both[col::Position - 1] = QStringLiteral("5000");
    EXPECT_EQ(okWith({both}), QStringLiteral("Error row 1!! Length must be between 1 and 4"));

    // A disabled row is saved with its faults; the next enabled one is checked.
    QStringList disabled = both;
    disabled[col::Enable - 1] = QStringLiteral("N");
    EXPECT_EQ(okWith({disabled, goodRow(), rowWith(col::Position, QStringLiteral("1438"))}),
              QStringLiteral("Error row 3!! Position must be between 0 and 1437"));
    EXPECT_EQ(okWith({disabled, goodRow()}), QString());
    EXPECT_TRUE(testsupport::readFile(path()).contains("Position=\"5000\""));
}

TEST_F(IEC61850Variables, TheFactorReadsWithEitherSeparator)
{
    for (const QChar separator : {QLatin1Char(','), QLatin1Char('.')}) {
        const DecimalSeparator locale(separator);
        for (const char* factor : {"1,5", "1.5", "-0,25", "10"}) {
            SCOPED_TRACE(QString(separator).toStdString() + " " + factor);
            EXPECT_EQ(okWith({rowWith(col::MultiplicationFactor, QLatin1String(factor))}), QString());
        }
        EXPECT_EQ(okWith({rowWith(col::MultiplicationFactor, QStringLiteral("1,5,0"))}),
                  QStringLiteral("Error row 1!! Molt. Factor must be a valid Float"));
    }
}

TEST_F(IEC61850Variables, AnEmptyNameEndsTheTableUnlessRowsBelowAreFilled)
{
    QStringList bad = rowWith(col::Position, QStringLiteral("9999"));
    // Only empty rows below: rows after the gap are neither checked nor saved.
    EXPECT_EQ(okWith({goodRow(), {"N"}}), QString());
    EXPECT_EQ(testsupport::readFile(path()).count("<row "), 1);
    // A filled row below the gap, even a faulty one: the gap is refused and nothing written.
    bad[col::Name - 1] = QStringLiteral("V3");
    EXPECT_EQ(okWith({goodRow(), {"Y"}, bad}), kGapRefused);
    EXPECT_EQ(okWith({goodRow(), {"N", "", "Int"}}), kGapRefused);
}

TEST_F(IEC61850Variables, TypedVariablesAreSavedOnOK)
{
    open();
    user->activate();
    user->type(table(), col::Name, 1, QStringLiteral("TempIn"));
    user->type(table(), col::Type, 1, QStringLiteral("Float"));
    user->type(table(), col::Length, 1, QStringLiteral("4"));
    user->clickCell(table(), col::ReadOnly, 1);
    user->type(table(), col::Position, 1, QStringLiteral("1437"));
    user->type(table(), col::Conversion, 1, QStringLiteral("Int to Float"));
    table().SetCells(col::MultiplicationFactor, 1, QStringLiteral("0.1"));
    user->type(table(), col::Mnemonic, 1, QStringLiteral("Temp & <in>"));

    user->type(table(), col::Name, 2, QStringLiteral("Alarm"));
    user->type(table(), col::Type, 2, QStringLiteral("Digital (Bit)"));
    user->type(table(), col::Length, 2, QStringLiteral("1"));
    user->type(table(), col::Position, 2, QStringLiteral("10"));
    user->type(table(), col::StartBit, 2, QStringLiteral("7"));
    user->type(table(), col::Conversion, 2, QStringLiteral("None"));
    user->type(table(), col::MultiplicationFactor, 2, QStringLiteral("None"));
    user->clickCell(table(), col::Swap, 2);
    user->clickCell(table(), col::SwapWord, 2);

    user->clickCell(table(), col::Enable, 3);
    user->type(table(), col::Name, 3, QStringLiteral("Spare"));
    user->type(table(), col::Position, 3, QStringLiteral("5000"));

    user->press("Btn_OK");
    EXPECT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
    EXPECT_EQ(user->result(), TFIEC61850_Variables::kModalOK);
    EXPECT_EQ(testsupport::readFile(path()), testsupport::readFile(testsupport::fixturePath(
                                                 QStringLiteral("iec61850_server/IEC61850_Variables_window.xml"))));
}

TEST_F(IEC61850Variables, MissingAttributesTakeTheirDefaultsAndFiftyRowsAreFilled)
{
    QByteArray xml = "<Anything>\n"
                     "\t<row Name=\"A\" Position=\"3\" />\n"
                     "\t<row Enable=\"N\" Name=\"B\" ReadOnly=\"Y\" Swap=\"Y\" SwapWord=\"Y\" StartBit=\"2\" />\n";
    for (int i = 3; i <= 52; ++i)
        xml += "\t<row Name=\"V" + QByteArray::number(i) + "\" />\n";
    ASSERT_TRUE(testsupport::writeFile(path(), xml + "</Anything>\n"));
    open();
    EXPECT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
    const QStringList first = {"Y", "A", "", "", "N", "3", "", "", "", "N", "N", ""};
    const QStringList second = {"N", "B", "", "", "Y", "", "2", "", "", "Y", "Y", ""};
    for (int c = 1; c < col::Count; ++c) {
        EXPECT_EQ(table().Cells(c, 1), first[c - 1]) << c;
        EXPECT_EQ(table().Cells(c, 2), second[c - 1]) << c;
    }
    EXPECT_EQ(table().Cells(col::Name, 50), QStringLiteral("V50"));
    EXPECT_EQ(table().RowCount(), 51);
}

TEST_F(IEC61850Variables, RowButtonsMoveTheRowsOfTheColumnGrid)
{
    open();
    TableWindowDriver::setRow(table(), 1, goodRow());
    TableWindowDriver::setRow(table(), 2, rowWith(col::Name, QStringLiteral("V2")));

    user->clickCell(table(), col::Name, 1);
    user->press("Btn_InsRow");
    EXPECT_EQ(table().Cells(col::Enable, 1), QStringLiteral("Y"));
    EXPECT_EQ(table().Cells(col::Name, 1), QString());
    EXPECT_EQ(table().Cells(col::Name, 2), QStringLiteral("V1"));

    messages.answers = {platform::MsgResult::Yes};
    user->press("Btn_DelRow");
    EXPECT_EQ(user->lastMessage(), QStringLiteral("Are you sure to delete the Row number 1"));
    EXPECT_EQ(table().Cells(col::Name, 1), QStringLiteral("V1"));
    EXPECT_EQ(table().Cells(col::Name, 2), QStringLiteral("V2"));

    user->press("Btn_CopyRow");
    EXPECT_TRUE(w->Do_Copy());
    user->clickCell(table(), col::Name, 3);
    user->press("Btn_PasteRow");
    EXPECT_EQ(table().Cells(col::Name, 3), QStringLiteral("V1"));
    EXPECT_EQ(table().Cells(col::Conversion, 3), QStringLiteral("None"));
}

TEST_F(IEC61850Variables, CancelWritesNothing)
{
    open();
    TableWindowDriver::setRow(table(), 1, goodRow());
    user->press("Btn_Cancel");
    EXPECT_EQ(user->result(), TFIEC61850_Variables::kModalCancel);
    EXPECT_FALSE(QFile::exists(path()));
}

TEST_F(IEC61850Variables, Screenshot)
{
    open();
    TableWindowDriver::setRow(
        table(), 1,
        {"Y", "TempIn", "Float", "4", "Y", "1437", "", "Int to Float", "0.1", "N", "N", "Inlet temperature"});
    TableWindowDriver::setRow(
        table(), 2, {"Y", "Alarm", "Digital (Bit)", "1", "N", "10", "7", "None", "None", "Y", "Y", "Breaker alarm"});
    TableWindowDriver::setRow(table(), 3, {"N", "Spare", "Int", "2", "N", "12", "", "None", "None", "N", "N", ""});
    user->checkTablePicture(QStringLiteral("windows/IEC61850_Variables_window.png"), QSize(1155, 337), table(), 2, 2,
                            5);
}

} // namespace
