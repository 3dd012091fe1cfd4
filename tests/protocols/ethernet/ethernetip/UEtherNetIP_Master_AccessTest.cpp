// The EtherNet/IP scanner table driven like a user: its rules with their exact messages
// (first error only, the byte sums after the rows), the file written on OK compared byte for
// byte with hand-made fixtures, the defaults of missing attributes, the empty-address rule,
// and Import EDS through the connection picker.

#include "protocols/ethernet/ethernetip/UEtherNetIP_Master_Access.h"

#include "common/GlyphButton.h"
#include "common/UComonState.h"
#include "common/ULanguage.h"
#include "platform/Services.h"
#include "protocols/ethernet/ethernetip/UEtherNetIP_EDS.h"
#include "support/FakeDialogs.h"
#include "support/FakeMessages.h"
#include "support/ProgramFolder.h"
#include "support/TableWindowDriver.h"
#include "support/TableWindowTest.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QImage>
#include <QTimer>

#include <gtest/gtest.h>

#include <map>
#include <optional>

namespace {

using ethernet::TFEtherNetIP_Master_Access;
using testsupport::TableWindowDriver;
namespace col = ethernet::enip_col;

// Cells 1 .. 13 of a row that passes every check: enabled, an address, no bytes, poll 100 ms,
// the usual instances and points, the adapter's own header formats.
QStringList validRow(const QString& address)
{
    return {"Y", address, "0", "0", "0", "0", "100", "1", "100", "1", "101", "Default", "Default"};
}

QStringList withCells(QStringList row, const std::map<int, QString>& cells)
{
    for (const auto& [column, text] : cells)
        row[column - 1] = text;
    return row;
}

class EtherNetIPScanner : public testsupport::TableWindowTest<TFEtherNetIP_Master_Access> {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        services.dialogs = &dialogs;
        Start(&common::TProgramState::File_EtherNetIP_Master_Rules, "EtherNetIP_Master_Rules.xml",
              [this](platform::Services& s) {
                  picker = std::make_unique<ethernet::TFEtherNEtIP_EDS>(s);
                  return std::make_unique<TFEtherNetIP_Master_Access>(s, picker.get());
              });
    }

    grid::TQvColumnGrid& table() { return *w->ACG; }
    QString fixture(const char* name) const
    {
        return testsupport::fixturePath(QStringLiteral("ethernetip/") + QLatin1String(name));
    }

    testsupport::FakeDialogs dialogs;
    std::unique_ptr<ethernet::TFEtherNEtIP_EDS> picker;
};

TEST_F(EtherNetIPScanner, TypedConnectionsAreSavedOnOK)
{
    open();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Set EtherNet/IP Slaves Access"));
    EXPECT_EQ(table().RowCount(), 11);
    EXPECT_EQ(table().ColCount(), 15);
    EXPECT_EQ(table().Cells(col::Conn_Point_O_T, 0), QStringLiteral("Conn. Point O > T"));
    EXPECT_EQ(table().Cells(col::Enable, 10), QStringLiteral("Y"));
    EXPECT_EQ(table().Cells(col::Dim_Header_T_O, 10), QString()); // no default in a new row

    const char* typed[] = {"192.168.1.10", "0", "1000", "0", "20", "100", "1", "100", "1", "101"};
    for (int c = col::IP_Address; c <= col::Conn_Point_O_T; ++c)
        user->type("ACG", c, 1, QLatin1String(typed[c - col::IP_Address]));
    user->type("ACG", col::Dim_Header_T_O, 1, QStringLiteral("Default"));
    user->type("ACG", col::Dim_Header_O_T, 1, QStringLiteral("Default"));
    user->type("ACG", col::Mnemonic, 1, QStringLiteral("Pump & <1>"));
    // A lower-case y is enabled; the sum of the input bytes reaches the limit exactly.
    TableWindowDriver::setRow(
        table(), 2, {"y", "10.0.0.2", "1000", "438", "20", "0", "1", "$10", "0x64", "2", "102", " DEFAULT ", "7"});
    // A disabled row is saved as it is, unchecked and not counted.
    TableWindowDriver::setRow(table(), 3,
                              {"N", "300.1.1.1", "-5", "x", "", "65535", "0", "", "", "", "", "8", "", "spare"});
    user->press("Btn_OK");
    EXPECT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
    EXPECT_EQ(user->result(), TFEtherNetIP_Master_Access::kModalOK);
    EXPECT_EQ(testsupport::readFile(path()), testsupport::readFile(fixture("EtherNetIP_Master_Rules_window.xml")));

    // Shown again, the table is the file's.
    open();
    EXPECT_EQ(table().Cells(col::Mnemonic, 1), QStringLiteral("Pump & <1>"));
    EXPECT_EQ(table().Cells(col::Dim_Header_T_O, 2), QStringLiteral(" DEFAULT "));
    EXPECT_EQ(table().Cells(col::Enable, 3), QStringLiteral("N"));
    EXPECT_EQ(table().Cells(col::IP_Address, 4), QString());
}

TEST_F(EtherNetIPScanner, FirstErrorIsShownAndNothingWritten)
{
    const QString ip = QStringLiteral("!! IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)");
    const struct Case {
        std::map<int, QString> row2; // changes to a valid row
        QString message;             // empty: passes
    } cases[] = {
        {{{col::Enable, "y"}, {col::IP_Address, "10.0.0"}}, "Error row 2" + ip},
        {{{col::Enable, "N"}, {col::IP_Address, "x"}, {col::Time_Poll, "0"}, {col::Dim_Header_T_O, ""}}, {}},
        {{{col::IP_Address, "192.168.1.256"}}, "Error row 2" + ip},
        {{{col::Start_Input, "-1"}}, "Error row 2!! Start Input must be major or equal to 0"},
        {{{col::Start_Input, "65536"}}, "Error row 2!! Start Input must be major or equal to 0"},
        {{{col::Start_Input, "65535"}}, {}},
        {{{col::Num_Input, "abc"}}, "Error row 2!! Num Input must be major or equal to 0"},
        {{{col::Start_Output, "0x10000"}}, "Error row 2!! Start Output must be major or equal to 0"},
        {{{col::Num_Output, "65536"}}, "Error row 2!! Num Output must be major or equal to 0"},
        {{{col::Time_Poll, "0"}}, "Error row 2!! Poll Time must be between 1 and 100000000"},
        {{{col::Time_Poll, "100000000"}}, {}},
        {{{col::Time_Poll, "100000001"}}, "Error row 2!! Poll Time must be between 1 and 100000000"},
        {{{col::Instance_T_O, "65536"}}, "Error row 2!! Instance T > O must be between 0 and 65535. Default Value 1"},
        {{{col::Conn_Point_T_O, "-1"}},
         "Error row 2!! Connection Point T > O must be between 0 and 65535. Default Value 100"},
        {{{col::Instance_O_T, ""}}, "Error row 2!! Instance O > T must be between 0 and 65535. Default Value 1"},
        {{{col::Conn_Point_O_T, "1 "}},
         "Error row 2!! Connection Point O > T must be between 0 and 65535. Default Value 101"},
        {{{col::Dim_Header_T_O, "default"}}, {}},
        {{{col::Dim_Header_T_O, " DEFAULT "}}, {}},
        {{{col::Dim_Header_T_O, "7"}}, {}},
        {{{col::Dim_Header_T_O, "8"}}, "Error row 2!! Dimension Header T > O must be between 0 and 7. Default Value 0"},
        {{{col::Dim_Header_T_O, ""}}, "Error row 2!! Dimension Header T > O must be between 0 and 7. Default Value 0"},
        {{{col::Dim_Header_O_T, "Defaults"}},
         "Error row 2!! Dimension Header O > T must be between 0 and 7. Default Value 4"},
        {{{col::Dim_Header_O_T, ""}}, "Error row 2!! Dimension Header O > T must be between 0 and 7. Default Value 4"},
        // Row 1 holds 1000 input and 1000 output bytes.
        {{{col::Num_Input, "438"}, {col::Num_Output, "438"}}, {}},
        {{{col::Num_Input, "439"}}, "Error!! The Total Number of Input Bytes must be between 0 and 1438"},
        {{{col::Num_Output, "439"}}, "Error!! The Total Number of Output Bytes must be between 0 and 1438"},
        {{{col::Enable, "N"}, {col::Num_Input, "65535"}, {col::Num_Output, "65535"}}, {}},
    };
    for (const Case& k : cases) {
        const QStringList row2 = withCells(validRow(QStringLiteral("10.0.0.2")), k.row2);
        SCOPED_TRACE(row2.join(QLatin1Char('|')).toStdString());
        QFile::remove(path());
        messages.shown.clear();
        open();
        TableWindowDriver::setRow(
            table(), 1,
            withCells(validRow(QStringLiteral("10.0.0.1")), {{col::Num_Input, "1000"}, {col::Num_Output, "1000"}}));
        TableWindowDriver::setRow(table(), 2, row2);
        // A row error is the first one only: the row after it holds another.
        const bool rowError = k.message.startsWith(QLatin1String("Error row "));
        TableWindowDriver::setRow(table(), 3, validRow(rowError ? QStringLiteral("bad") : QStringLiteral("10.0.0.3")));
        user->press("Btn_OK");
        if (k.message.isEmpty()) {
            EXPECT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
            EXPECT_TRUE(QFile::exists(path()));
        } else {
            ASSERT_EQ(user->messageCount(), 1u);
            EXPECT_EQ(user->lastMessage(), k.message);
            EXPECT_EQ(messages.shown.back().icon, platform::MsgIcon::Error);
            EXPECT_FALSE(QFile::exists(path()));
        }
    }
}

TEST_F(EtherNetIPScanner, ByteSumsAreCheckedOnlyAfterEveryRow)
{
    open();
    TableWindowDriver::setRow(table(), 1, withCells(validRow(QStringLiteral("10.0.0.1")), {{col::Num_Input, "1439"}}));
    TableWindowDriver::setRow(table(), 2, validRow(QStringLiteral("10.0.0.2")));
    TableWindowDriver::setRow(table(), 3, withCells(validRow(QStringLiteral("10.0.0.3")), {{col::Time_Poll, "0"}}));
    user->press("Btn_OK");
    EXPECT_EQ(user->lastMessage(), QStringLiteral("Error row 3!! Poll Time must be between 1 and 100000000"));

    // With the last enabled row above a disabled one, the sums still come after it.
    messages.shown.clear();
    TableWindowDriver::setRow(table(), 3, withCells(validRow(QStringLiteral("10.0.0.3")), {{col::Enable, "N"}}));
    user->press("Btn_OK");
    ASSERT_EQ(user->messageCount(), 1u);
    EXPECT_EQ(user->lastMessage(),
              QStringLiteral("Error!! The Total Number of Input Bytes must be between 0 and 1438"));
    EXPECT_FALSE(QFile::exists(path()));
}

TEST_F(EtherNetIPScanner, AnEmptyAddressEndsTheTableOnlyWithNothingBelow)
{
    const QString refused = QStringLiteral(
        "Error row 2!! This row is empty but rows below it are filled: fill it in or delete it, or the rows below "
        "would not be saved");
    const struct {
        const char* what;
        QStringList row2;
    } gaps[] = {
        {"a disabled row without an address", {"N"}},
        {"an enabled row holding only a poll time", {"Y", " ", "", "", "", "", "100"}},
    };
    for (const auto& gap : gaps) {
        SCOPED_TRACE(gap.what);
        messages.shown.clear();
        open();
        TableWindowDriver::setRow(table(), 1, validRow(QStringLiteral("10.0.0.1")));
        TableWindowDriver::setRow(table(), 2, gap.row2);
        TableWindowDriver::setRow(table(), 3, validRow(QStringLiteral("10.0.0.3")));
        user->press("Btn_OK");
        ASSERT_EQ(user->messageCount(), 1u);
        EXPECT_EQ(user->lastMessage(), refused);
        EXPECT_FALSE(QFile::exists(path()));
    }

    // With only empty rows below, the disabled row without an address ends the saved table.
    messages.shown.clear();
    open();
    TableWindowDriver::setRow(table(), 1, validRow(QStringLiteral("10.0.0.1")));
    TableWindowDriver::setRow(table(), 2, {"N"});
    user->press("Btn_OK");
    EXPECT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
    EXPECT_EQ(testsupport::readFile(path()), testsupport::readFile(fixture("EtherNetIP_Master_Rules_one_row.xml")));
}

TEST_F(EtherNetIPScanner, MissingAttributesTakeTheirDefaults)
{
    ASSERT_TRUE(testsupport::writeFile(path(),
                                       "<Other>\n\t<row IP_Address=\"10.0.0.1\" />\n\t<!-- a note -->\n"
                                       "\t<row Enable=\"Y\" Dim_Header_O_T=\"2\" Mnemonic=\"m\" />\n</Other>\n"));
    open();
    EXPECT_EQ(user->messageCount(), 0u);
    EXPECT_EQ(table().Cells(col::Enable, 1), QStringLiteral("N"));
    EXPECT_EQ(table().Cells(col::IP_Address, 1), QStringLiteral("10.0.0.1"));
    EXPECT_EQ(table().Cells(col::Time_Poll, 1), QString());
    EXPECT_EQ(table().Cells(col::Dim_Header_T_O, 1), QStringLiteral("Default"));
    EXPECT_EQ(table().Cells(col::Dim_Header_O_T, 1), QStringLiteral("Default"));
    EXPECT_EQ(table().Cells(col::Enable, 2), QStringLiteral("Y"));
    EXPECT_EQ(table().Cells(col::Dim_Header_T_O, 2), QStringLiteral("Default"));
    EXPECT_EQ(table().Cells(col::Dim_Header_O_T, 2), QStringLiteral("2"));
    EXPECT_EQ(table().Cells(col::Enable, 3), QStringLiteral("Y"));
    EXPECT_EQ(table().Cells(col::Dim_Header_T_O, 3), QString());
}

class EtherNetIPImport : public EtherNetIPScanner {
protected:
    void SetUp() override
    {
        EtherNetIPScanner::SetUp();
        eds = QDir(tmp.path()).filePath(QStringLiteral("adapter.eds"));
        ASSERT_TRUE(testsupport::writeFile(
            eds, "[Connection Manager]\r\n"
                 "        Connection1 = 0x84010002,0x44640405,,,,,,,,,,,\"First\",\"\",\"20 04 24 64 2C 96 2C 65\";\r\n"
                 "        Connection2 = 0x84010002,0x44641305,,,,,,,,,,,\"Second\",\"\",\r\n"
                 "                \"20 04 24 64 2C 97 24 65 2C 66\";\r\n"));
    }

    // Presses Import EDS; once the picker is up, the user picks a row and presses a button.
    void importPicking(int row, const char* button)
    {
        dialogs.answers.push_back(eds);
        // Polled from the picker's own modal loop until the picker is up.
        auto* poll = new QTimer(picker.get());
        QObject::connect(poll, &QTimer::timeout, picker.get(), [this, poll, row, button] {
            if (!picker->isVisible())
                return;
            poll->deleteLater();
            poll->stop();
            picker->ACG->SetRow(row);
            picker->findChild<TGlyphButton*>(QLatin1String(button))->Click();
        });
        poll->start(0);
        user->press("Btn_Import_EDS");
    }

    QStringList rowCells(int row)
    {
        QStringList cells;
        for (int c = col::Enable; c < col::Count; ++c)
            cells << table().Cells(c, row);
        return cells;
    }

    QString eds;
};

TEST_F(EtherNetIPImport, ThePickedConnectionFillsTheFirstFreeRow)
{
    open();
    TableWindowDriver::setRow(table(), 1, validRow(QStringLiteral("10.0.0.1")));
    TableWindowDriver::setRow(table(), 2, {"Y", "", "", "", "", "", "", "5"}); // an instance: not free
    TableWindowDriver::setRow(table(), 3, {"N", " ", "10", "", "", "", "", "", "", "", "", "", "", "kept"});
    const QStringList before1 = rowCells(1);
    const QStringList before2 = rowCells(2);

    importPicking(2, "Btn_OK");
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, testsupport::FakeDialogs::Kind::Open);
    EXPECT_EQ(dialogs.shown[0].filter, QStringLiteral("EtherNet/IP EDS (*.eds)"));
    EXPECT_EQ(picker->EDS_FileName, eds);
    EXPECT_EQ(user->messageCount(), 0u);
    EXPECT_EQ(rowCells(1), before1);
    EXPECT_EQ(rowCells(2), before2);
    EXPECT_EQ(rowCells(3), (QStringList{"N", " ", "10", "", "", "", "", "101", "102", "100", "151", "1", "3", "kept"}));

    // Cancel in the picker or in the open dialog changes nothing.
    const QStringList before4 = rowCells(4);
    importPicking(1, "Btn_Cancel");
    EXPECT_EQ(rowCells(4), before4);
    user->press("Btn_Import_EDS");
    EXPECT_EQ(dialogs.shown.size(), 3u);
    EXPECT_EQ(rowCells(4), before4);
}

TEST_F(EtherNetIPImport, AFullTableIsLeftUnchanged)
{
    open();
    for (int row = 1; row < table().RowCount(); ++row)
        TableWindowDriver::setRow(table(), row, validRow(QStringLiteral("10.0.0.%1").arg(row)));
    std::vector<QStringList> before;
    for (int row = 1; row < table().RowCount(); ++row)
        before.push_back(rowCells(row));
    importPicking(1, "Btn_OK");
    EXPECT_EQ(user->messageCount(), 0u);
    for (int row = 1; row < table().RowCount(); ++row)
        EXPECT_EQ(rowCells(row), before[size_t(row - 1)]) << "row " << row;
}

TEST_F(EtherNetIPImport, AFileWithoutConnectionsChangesNothing)
{
    open();
    ASSERT_TRUE(testsupport::writeFile(eds, "[Connection Manager]\r\n"));
    dialogs.answers.push_back(eds);
    user->press("Btn_Import_EDS");
    EXPECT_EQ(user->lastMessage(), QStringLiteral("Error!! No Valid Connection found"));
    EXPECT_EQ(table().Cells(col::Instance_T_O, 1), QString());
}

TEST_F(EtherNetIPScanner, LanguageChangeReappliesHeadersHintsAndTheImportButton)
{
    ASSERT_TRUE(QDir(tmp.path()).mkpath(QStringLiteral("LANGUAGE")));
    ASSERT_TRUE(testsupport::writeFile(QDir(tmp.path()).filePath(QStringLiteral("LANGUAGE/Italiano.lng")),
                                       "STR5300 =Scanner EtherNet/IP\r\nSTR5316 =Indirizzo IP\r\n"
                                       "STR5324 =Indirizzo del dispositivo\r\nSTR5359 =Importa EDS\r\n"));
    open();
    EXPECT_EQ(w->Btn_Import_EDS->Caption(), QStringLiteral("Import EDS"));
    EXPECT_EQ(w->Hint().value(col::IP_Address - 1), QStringLiteral("Insert the IP Address of EtherNet/IP Slave"));
    QString language = QStringLiteral("Italiano");
    common::Load_Language(QDir(tmp.path()).filePath(QStringLiteral("LANGUAGE")), language);
    w->Set_Lang();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Scanner EtherNet/IP"));
    EXPECT_EQ(table().Cells(col::IP_Address, 0), QStringLiteral("Indirizzo IP"));
    EXPECT_EQ(w->Hint().value(col::IP_Address - 1), QStringLiteral("Indirizzo del dispositivo"));
    EXPECT_EQ(w->Btn_Import_EDS->Caption(), QStringLiteral("Importa EDS"));
    EXPECT_TRUE(w->Btn_Import_EDS->toolTip().isEmpty());
    EXPECT_EQ(w->Hint().value(col::Mnemonic - 1), QStringLiteral("Description of Slave EtherNet/IP"));
}

// The buttons show no hints (one of the texts names another window's list); the table's header
// hints stay.
TEST_F(EtherNetIPScanner, ButtonsShowNoHints)
{
    open();
    int glyphButtons = 0;
    for (TGlyphButton* b : w->findChildren<TGlyphButton*>()) {
        ++glyphButtons;
        EXPECT_TRUE(b->toolTip().isEmpty()) << qPrintable(b->objectName()) << ": " << qPrintable(b->toolTip());
    }
    EXPECT_GE(glyphButtons, 7); // the six row buttons and Import EDS
    EXPECT_EQ(w->Hint().value(col::IP_Address - 1), QStringLiteral("Insert the IP Address of EtherNet/IP Slave"));
}

TEST_F(EtherNetIPScanner, Screenshot)
{
    open();
    TableWindowDriver::setRow(table(), 1,
                              {"Y", "192.168.1.10", "0", "32", "0", "32", "100", "100", "150", "100", "101", "Default",
                               "Default", "Drive 1"});
    TableWindowDriver::setRow(
        table(), 2,
        {"N", "192.168.1.11", "32", "8", "32", "8", "50", "1", "100", "1", "101", "0", "4", "Valve island"});
    user->checkTablePicture(QStringLiteral("windows/EtherNetIP_Master_Access_window.png"), QSize(1180, 337), table(), 2,
                            2, 5);
}

} // namespace
