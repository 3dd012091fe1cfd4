// The CANopen PDO table on its two sheets: rules of each grid with their exact messages, COB-IDs
// saved as typed, an empty grid written as an empty section, a row missing a required
// attribute refused at load, row buttons acting on the sheet in front with one copy flag per
// grid, and a click on a row-number cell selecting the row.

#include "protocols/fieldbus/canopen/USet_PDO_Access.h"

#include "common/UComonState.h"
#include "common/ULanguage.h"
#include "platform/Services.h"
#include "support/FakeMessages.h"
#include "support/ProgramFolder.h"
#include "support/TableWindowDriver.h"
#include "support/TableWindowTest.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <optional>

namespace {

using fieldbus::TFSet_PDO_Access;
using testsupport::TableWindowDriver;

class PDOAccess : public testsupport::TableWindowTest<TFSet_PDO_Access> {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        Start(&common::TProgramState::File_PDO_CANopen, "PDO_CANopen.xml");
    }

    QByteArray fixture(const char* name) const
    {
        return testsupport::readFile(testsupport::fixturePath(QStringLiteral("canopen/") + QLatin1String(name)));
    }
};

TEST_F(PDOAccess, TypedReceivePDOsAreSavedAsTypedWithAnEmptyTransmitSection)
{
    open();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Set PDO Access"));
    EXPECT_EQ(w->PageControl1->tabText(0), QStringLiteral("Receive PDO"));
    EXPECT_EQ(w->PageControl1->tabText(1), QStringLiteral("Transmit PDO"));
    EXPECT_EQ(w->sga->RowCount(), 31);
    EXPECT_EQ(w->sga->ColCount(), 13);
    EXPECT_EQ(w->sgb->ColCount(), 14);
    EXPECT_EQ(w->sga->Cells(1, 1), QString()); // no enable flag
    user->type("sga", 1, 1, QStringLiteral("0x181"));
    user->type("sga", 2, 1, QStringLiteral("2"));
    user->type("sga", 3, 1, QStringLiteral("0"));
    user->type("sga", 4, 1, QStringLiteral("1499"));
    user->type("sga", 11, 1, QStringLiteral("65535"));
    user->type("sga", 12, 1, QStringLiteral("Drive & pump"));
    TableWindowDriver::setRow(*w->sga, 2, {"$181", "1", " 7", "", "", "", "", "", "", "", "0"});
    TableWindowDriver::setRow(*w->sga, 3, {"385", "8", "1", "2", "3", "4", "5", "6", "7", "8", "10", "all eight"});
    user->press("Btn_OK");
    EXPECT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
    EXPECT_EQ(user->result(), TFSet_PDO_Access::kModalOK);
    EXPECT_EQ(testsupport::readFile(path()), fixture("PDO_CANopen_window.xml"));

    open();
    EXPECT_EQ(w->sga->Cells(3, 2), QStringLiteral(" 7"));
    EXPECT_EQ(w->sgb->Cells(1, 1), QString());
}

TEST_F(PDOAccess, FirstErrorOfEitherGridIsShown)
{
    // COB-ID, Dimension, Add B1..B8, TimeOut / Send Time, (On Change)
    struct Case {
        bool transmit;
        QStringList row3;
        const char* message; // nullptr: passes
    } cases[] = {
        {false,
         {"0x181", "0", "", "", "", "", "", "", "", "", "0"},
         "Error row 3!! [Receive PDO] Dimension must be between 1 and 8"},
        {false,
         {"0x800", "1", "0", "", "", "", "", "", "", "", "0"},
         "Error row 3!! [Receive PDO] COB-ID must be between 0x000 and 0x7FF"},
        {false,
         {"0x181", "2", "", "", "", "", "", "", "", "", "0"},
         "Error row 3!! [Receive PDO] Address Byte1 must be between 0 and 1499"},
        {false,
         {"0x181", "2", "1", "1500", "", "", "", "", "", "", "0"},
         "Error row 3!! [Receive PDO] Address Byte2 must be between 0 and 1499"},
        {false,
         {"0x181", "2", "1", "2", "", "", "", "", "", "", "65536"},
         "Error row 3!! [Receive PDO] TimeOut must be between 0 and 65535"},
        {false, {"0x181", "2", "1", "2", "x", "", "", "", "", "", "65535"}, nullptr}, // Add B3 beyond the Dimension
        {true, {"385", "1", "0", "", "", "", "", "", "", "", "100000000", "N"}, nullptr},
        {true,
         {"385", "1", "0", "", "", "", "", "", "", "", "100000001", "N"},
         "Error row 3!! [Transmit PDO] Send Time must be between 0 and 100000000"},
        {true,
         {"385", "8", "0", "1", "2", "3", "4", "5", "6", "1500", "0", "Y"},
         "Error row 3!! [Transmit PDO] Address Byte8 must be between 0 and 1499"},
        {true,
         {"-1", "1", "0", "", "", "", "", "", "", "", "0"},
         "Error row 3!! [Transmit PDO] COB-ID must be between 0x000 and 0x7FF"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.row3.join(QLatin1Char('|')).toStdString());
        open();
        for (grid::TQvColumnGrid* g : {w->sga, w->sgb})
            for (int r = 1; r <= 2; ++r)
                TableWindowDriver::setRow(*g, r, {"0x181", "1", "0", "", "", "", "", "", "", "", "0", "N"});
        TableWindowDriver::setRow(k.transmit ? *w->sgb : *w->sga, 3, k.row3);
        EXPECT_EQ(w->First_Error().value_or(QString()), QString::fromLatin1(k.message ? k.message : ""));
    }
}

TEST_F(PDOAccess, InsertedRowAboveFilledRowsRefusesOKAndWritesNothing)
{
    open();
    TableWindowDriver::setRow(*w->sgb, 1, {"0x181", "1", "0", "", "", "", "", "", "", "", "0", "N"});
    user->clickCell(*w->sgb, 1, 1);
    user->press("Btn_InsRow");
    EXPECT_EQ(w->sgb->Cells(1, 2), QStringLiteral("0x181"));
    EXPECT_EQ(w->sgb->Cells(1, 1), QString()); // no "Y" put in
    user->press("Btn_OK");
    EXPECT_EQ(user->lastMessage(),
              QStringLiteral("Error row 1!! This row is empty but rows below it are filled: fill it in or delete it, "
                             "or the rows below would not be saved"));
    EXPECT_FALSE(QFile::exists(path()));
    EXPECT_TRUE(w->isVisible());
}

TEST_F(PDOAccess, RowMissingARequiredAttributeIsReportedAndTheWindowCloses)
{
    ASSERT_TRUE(testsupport::writeFile(path(), fixture("PDO_CANopen_missing_TimeOut.xml")));
    open();
    QCoreApplication::processEvents();
    ASSERT_EQ(user->messageCount(), 1u);
    EXPECT_EQ(user->lastMessage(), QStringLiteral("Missing attribute \"TimeOut\""));
    EXPECT_EQ(user->result(), TFSet_PDO_Access::kModalCancel);
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(testsupport::readFile(path()), fixture("PDO_CANopen_missing_TimeOut.xml"));
}

TEST_F(PDOAccess, RowButtonsActOnTheSheetInFrontWithOneCopyFlagPerGrid)
{
    open();
    TableWindowDriver::setRow(*w->sga, 1, {"0x181", "1", "0", "", "", "", "", "", "", "", "0", "copied"});
    user->clickCell(*w->sga, 2, 1);
    user->press("Btn_CopyRow");
    EXPECT_TRUE(w->Do_Copy_Receive_PDO());
    EXPECT_FALSE(w->Do_Copy_Transmit_PDO());

    user->clickCell(*w->sgb, 2, 1);
    EXPECT_EQ(w->PageControl1->currentWidget(), w->TS_Transmit_PDO);
    user->press("Btn_PasteRow");
    EXPECT_EQ(user->lastMessage(), QStringLiteral("Error!!! Copy a valid row before Paste it"));
    EXPECT_EQ(w->sgb->Cells(1, 1), QString());

    // Copied on the transmit sheet, the flags swap and the receive grid refuses the paste.
    TableWindowDriver::setRow(*w->sgb, 1, {"0x201", "1", "0", "", "", "", "", "", "", "", "0", "N", "t"});
    user->press("Btn_CopyRow");
    EXPECT_FALSE(w->Do_Copy_Receive_PDO());
    EXPECT_TRUE(w->Do_Copy_Transmit_PDO());
    user->clickCell(*w->sgb, 2, 4);
    user->press("Btn_PasteRow");
    EXPECT_EQ(w->sgb->Cells(13, 4), QStringLiteral("t"));

    messages.answers = {platform::MsgResult::Yes};
    user->press("Btn_DelRow");
    EXPECT_EQ(messages.shown.back().text, QStringLiteral("Are you sure to delete the Row number 4"));
    EXPECT_EQ(w->sgb->Cells(1, 4), QString());
    EXPECT_EQ(w->sga->Cells(1, 1), QStringLiteral("0x181"));

    // Shown again, both flags are cleared.
    open();
    EXPECT_FALSE(w->Do_Copy_Receive_PDO());
    EXPECT_FALSE(w->Do_Copy_Transmit_PDO());
}

TEST_F(PDOAccess, ClickOnARowNumberSelectsThatRowOfTheGridClicked)
{
    open();
    for (grid::TQvColumnGrid* g : {w->sga, w->sgb}) {
        user->clickCell(*g, 0, 5);
        const auto selection = g->Selection();
        EXPECT_EQ(selection.Top, 5);
        EXPECT_EQ(selection.Bottom, 5);
        EXPECT_EQ(selection.Left, 1);
        EXPECT_EQ(selection.Right, g->ColCount() - 1);
    }
}

// A language change re-applies the sheet captions and each grid's headers and hints.
TEST_F(PDOAccess, LanguageChangeReappliesSheetsHeadersAndHints)
{
    ASSERT_TRUE(QDir(tmp.path()).mkpath(QStringLiteral("LANGUAGE")));
    ASSERT_TRUE(testsupport::writeFile(QDir(tmp.path()).filePath(QStringLiteral("LANGUAGE/Italiano.lng")),
                                       "STR2800 =Accesso PDO\r\nSTR2814 =PDO in ricezione\r\n"
                                       "STR2815 =PDO in trasmissione\r\nSTR2817 =IdCob R\r\nSTR2830 =IdCob T\r\n"
                                       "STR2843 =Inserire il CobID R\r\nSTR2855 =Inserire il CobID T\r\n"));
    open();
    // Hints are indexed by column - 1: entry 0 is the COB-ID column's.
    EXPECT_EQ(w->Hint_PDO_Transmit().value(0), QStringLiteral("Insert the CobID of the CANopen PDO in Transmit"));
    QString language = QStringLiteral("Italiano");
    common::Load_Language(QDir(tmp.path()).filePath(QStringLiteral("LANGUAGE")), language);
    w->Set_Lang();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Accesso PDO"));
    EXPECT_EQ(w->PageControl1->tabText(0), QStringLiteral("PDO in ricezione"));
    EXPECT_EQ(w->PageControl1->tabText(1), QStringLiteral("PDO in trasmissione"));
    EXPECT_EQ(w->sga->Cells(1, 0), QStringLiteral("IdCob R"));
    EXPECT_EQ(w->sgb->Cells(1, 0), QStringLiteral("IdCob T"));
    EXPECT_EQ(w->Hint_PDO_Receive().value(0), QStringLiteral("Inserire il CobID R"));
    EXPECT_EQ(w->Hint_PDO_Transmit().value(0), QStringLiteral("Inserire il CobID T"));
    // The texts the language lacks stay English.
    EXPECT_EQ(w->sgb->Cells(2, 0), QStringLiteral("Dimension"));
}

TEST_F(PDOAccess, Screenshot)
{
    open();
    TableWindowDriver::setRow(*w->sgb, 1, {"0x181", "2", "0", "1", "", "", "", "", "", "", "100", "Y", "Status"});
    TableWindowDriver::bringForward(*w->sgb);
    user->checkTablePicture(QStringLiteral("windows/PDO_Access_window.png"), QSize(798, 337), *w->sgb, 1, 1, 5);
}

} // namespace
