// The DeviceNet scan list: validation rules with their exact messages (first error only), the
// refusals of the master's ID, duplicate IDs and byte counts the image cannot map, and the
// table's move to and from "DNETM_Net.xml" (compared byte for byte with a fixture).

#include "gateway/UDNetTable.h"

#include "common/UComonRows.h"
#include "common/ULanguage.h"

#include "support/TestSupport.h"

#include <QDir>
#include <QTemporaryDir>

#include <array>

#include <gtest/gtest.h>

using common::TTextTable;
using namespace gateway;

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}
QT_END_NAMESPACE

namespace {

struct ScanList {
    TTextTable t{QStringLiteral("dnet"), dnet_col::Count, 65};
    ScanList() { DNet_Reset_Table(t); }
    void row(int r, const char* id, const char* in, const char* out, const char* mnemonic = "")
    {
        t.SetCells(dnet_col::ID, r, QLatin1String(id));
        t.SetCells(dnet_col::NB_IN, r, QLatin1String(in));
        t.SetCells(dnet_col::NB_OUT, r, QLatin1String(out));
        t.SetCells(dnet_col::Mnemonic, r, QLatin1String(mnemonic));
    }
};

class DNetTable : public ::testing::Test {
protected:
    void SetUp() override { common::Load_Default_Texts(); }
};

TEST_F(DNetTable, ValidationRulesWithTheirMessages)
{
    struct Row {
        const char* id;
        const char* in;
        const char* out;
    };
    struct Case {
        std::vector<Row> rows;
        const char* message; // nullptr: passes
    } cases[] = {
        {{{"5", "4", "2"}, {"7", "2", "0"}}, nullptr},
        {{{"63", "0", "0"}}, nullptr},
        {{{"1", "2", "2"}, {"2", "2", "2"}, {"3", "2", "2"}, {"4", "2", "2"}, {"64", "2", "2"}},
         "Error in row 5!! ID must be 0 or 63"},
        {{{" ", "1", "1"}}, "Error in row 1!! ID must be 0 or 63"}, // a blank ID is a used row
        {{{"-1", "1", "1"}}, "Error in row 1!! ID must be 0 or 63"},
        {{{"0", "1", "1"}}, "Error in row 1!! ID 0 is the ID of the DeviceNet Master"},
        {{{"5", "1", "1"}, {"0x05", "1", "1"}}, "Error in row 2!! ID already used by another Slave"},
        {{{"5", "65536", "0"}}, "Error in row 1!! Number Byte IN must be 0 or 65535"},
        {{{"5", "", "0"}}, "Error in row 1!! Number Byte IN must be 0 or 65535"},
        {{{"5", "0", "x"}}, "Error in row 1!! Number Byte OUT must be 0 or 65535"},
        {{{"5", "1025", "0"}},
         "Error in row 1!! Number Byte IN too large: at most 1024 for one Slave and 1536 for all Slaves together"},
        {{{"5", "1024", "1024"}, {"6", "512", "0"}}, nullptr},
        {{{"5", "1024", "1024"}, {"6", "512", "513"}},
         "Error in row 2!! Number Byte OUT too large: at most 1024 for one Slave and 1536 for all Slaves together"},
        {{{"5", "1000", "0"}, {"6", "537", "0"}},
         "Error in row 2!! Number Byte IN too large: at most 1024 for one Slave and 1536 for all Slaves together"},
    };
    for (const Case& k : cases) {
        ScanList s;
        for (size_t i = 0; i < k.rows.size(); ++i)
            s.row(int(i) + 1, k.rows[i].id, k.rows[i].in, k.rows[i].out);
        const auto want = k.message ? std::optional<QString>(QString::fromLatin1(k.message)) : std::nullopt;
        EXPECT_EQ(controllo_dati(s.t), want) << (k.message ? k.message : "passes");
    }
}

TEST_F(DNetTable, AnEmptyIDEndsTheTable)
{
    ScanList s;
    s.row(1, "5", "1", "1");
    s.row(3, "99", "x", "x"); // below the empty row 2: never checked nor saved
    EXPECT_EQ(controllo_dati(s.t), std::nullopt);
    EXPECT_EQ(DNet_Used_Rows(s.t), 1);
    EXPECT_EQ(DNet_File_From_Table(s.t).Rows.size(), 1u);
}

// OK would drop every row from the first empty ID on: refused while any of them holds a value.
TEST_F(DNetTable, AnEmptyIDAboveValuesIsRefused)
{
    struct Case {
        const char* what;
        std::vector<std::array<const char*, 4>> rows; // from row 1
        const char* message;                          // nullptr: passes
    } cases[] = {
        {"no gap", {{"5", "1", "1", ""}, {"7", "0", "0", "m"}}, nullptr},
        {"empty rows below", {{"5", "1", "1", ""}, {"", "", "", ""}}, nullptr},
        {"a slave below an empty row",
         {{"5", "1", "1", ""}, {"", "", "", ""}, {"7", "0", "0", ""}},
         "Error in row 2!! ID Cannot be Empty while this row or a row below it holds values"},
        {"a row without ID",
         {{"", "4", "2", ""}},
         "Error in row 1!! ID Cannot be Empty while this row or a row below it holds values"},
    };
    for (const Case& c : cases) {
        ScanList s;
        for (size_t i = 0; i < c.rows.size(); ++i)
            s.row(int(i) + 1, c.rows[i][0], c.rows[i][1], c.rows[i][2], c.rows[i][3]);
        const auto want = c.message ? std::optional<QString>(QString::fromLatin1(c.message)) : std::nullopt;
        EXPECT_EQ(DNet_Check_Dropped_Rows(s.t), want) << c.what;
    }
    // Only a mnemonic, far below.
    ScanList s;
    s.row(1, "5", "1", "1");
    s.t.SetCells(dnet_col::Mnemonic, 64, QStringLiteral("note"));
    EXPECT_EQ(DNet_Check_Dropped_Rows(s.t),
              std::optional<QString>(
                  QStringLiteral("Error in row 2!! ID Cannot be Empty while this row or a row below it holds values")));
}

TEST_F(DNetTable, EveryFreeIDInUse)
{
    // IDs 1 to 63: the largest scan list the master can have; all rows are written.
    ScanList s;
    for (int id = 1; id <= 63; ++id) {
        s.t.SetCells(dnet_col::ID, id, QString::number(id));
        s.t.SetCells(dnet_col::NB_IN, id, QStringLiteral("8"));
        s.t.SetCells(dnet_col::NB_OUT, id, QStringLiteral("8"));
    }
    EXPECT_EQ(controllo_dati(s.t), std::nullopt);
    EXPECT_EQ(DNet_File_From_Table(s.t).Rows.size(), 63u);
}

TEST_F(DNetTable, FileWrittenByteForByteAndReadBack)
{
    ScanList s;
    s.row(1, "5", "4", "2", "Valve island");
    s.row(2, "7", "2", "0");
    s.row(3, "12", "0", "16", "Drive <2> & \"3\"");
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("DNETM_Net.xml"));
    ASSERT_TRUE(Write_DNETM_Net_File(path, DNet_File_From_Table(s.t)));
    EXPECT_EQ(testsupport::readFile(path),
              testsupport::readFile(testsupport::fixturePath("iolink/DNETM_Net_window.xml")));

    TDNet_Net_File back;
    ASSERT_TRUE(Read_DNETM_Net_File(path, back));
    ScanList shown;
    Show_DNet_File(back, shown.t);
    for (int r = 1; r <= 4; ++r)
        for (int c = 0; c < dnet_col::Count; ++c)
            EXPECT_EQ(shown.t.Cells(c, r), s.t.Cells(c, r)) << c << "," << r;
}

TEST_F(DNetTable, AFileRowMissingAnAttributeShowsEmptyCells)
{
    // The rows after it still load, so OK cannot silently drop them.
    TDNet_Net_File file;
    TDNet_Net_Row a;
    a.ID = QStringLiteral("5");
    a.NB_OUT = QStringLiteral("2");
    TDNet_Net_Row b{QStringLiteral("7"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("M"), {}, {}};
    file.Rows = {a, b};
    ScanList s;
    Show_DNet_File(file, s.t);
    EXPECT_EQ(s.t.Cells(dnet_col::NB_IN, 1), QString());
    EXPECT_EQ(s.t.Cells(dnet_col::NB_OUT, 1), QStringLiteral("2"));
    EXPECT_EQ(s.t.Cells(dnet_col::Mnemonic, 2), QStringLiteral("M"));
    EXPECT_EQ(controllo_dati(s.t),
              std::optional<QString>(QStringLiteral("Error in row 1!! Number Byte IN must be 0 or 65535")));
}

} // namespace

// ---- the window, driven as a user drives it ------------------------------------------------

#include "gateway/UDNet.h"

#include "common/GlyphButton.h"
#include "common/UComonState.h"
#include "platform/Services.h"
#include "support/FakeMessages.h"
#include "support/TableWindowDriver.h"
#include "support/TableWindowTest.h"

#include <QApplication>
#include <QFile>
#include <QHelpEvent>
#include <QTest>
#include <QToolTip>

namespace {

using gateway::TFDNet;
using platform::MsgResult;

class DNetWindow : public testsupport::TableWindowTest<TFDNet> {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        Start(&common::TProgramState::File_DNETM_Net, "DNETM_Net.xml");
    }

    QByteArray written() const { return testsupport::readFile(path()); }
};

TEST_F(DNetWindow, TypedScanListIsSavedOnOK)
{
    user->open();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("DeviceNet Network"));
    EXPECT_EQ(w->QSG->Cells(1, 0), QStringLiteral("ID Slave"));
    EXPECT_EQ(w->QSG->RowCount(), 65);
    EXPECT_EQ(w->QSG->Cells(0, 64), QStringLiteral("64"));
    user->type(*w->QSG, 1, 1, QStringLiteral("5"));
    user->type(*w->QSG, 2, 1, QStringLiteral("4"));
    user->type(*w->QSG, 3, 1, QStringLiteral("2"));
    user->type(*w->QSG, 4, 1, QStringLiteral("Valve island"));
    user->setRow(*w->QSG, 2, {"7", "2", "0"});
    user->setRow(*w->QSG, 3, {"12", "0", "16", "Drive <2> & \"3\""});
    user->press(*w->Btn_OK);
    EXPECT_TRUE(messages.shown.empty()) << messages.lastText().toStdString();
    EXPECT_EQ(w->result(), TFDNet::kModalOK);
    EXPECT_EQ(written(), testsupport::readFile(testsupport::fixturePath("iolink/DNETM_Net_window.xml")));

    // Reopened, it shows exactly the saved rows with every row below them empty.
    w->QSG->SetCells(1, 5, QStringLiteral("20"));
    user->open();
    EXPECT_EQ(w->QSG->Cells(4, 3), QStringLiteral("Drive <2> & \"3\""));
    EXPECT_EQ(w->QSG->Cells(1, 5), QString());
}

TEST_F(DNetWindow, InvalidRowsShowTheFirstError)
{
    struct Case {
        QStringList row2;
        const char* message;
    } cases[] = {
        {{"64", "1", "1"}, "Error in row 2!! ID must be 0 or 63"},
        {{"5", "1", "1"}, "Error in row 2!! ID already used by another Slave"},
        {{"0", "1", "1"}, "Error in row 2!! ID 0 is the ID of the DeviceNet Master"},
        {{"6", "65536", "1"}, "Error in row 2!! Number Byte IN must be 0 or 65535"},
    };
    for (const Case& k : cases) {
        user->open();
        messages.shown.clear();
        user->setRow(*w->QSG, 1, {"5", "1", "1"});
        user->setRow(*w->QSG, 2, k.row2);
        user->press(*w->Btn_OK);
        ASSERT_EQ(messages.shown.size(), 1u) << k.message;
        EXPECT_EQ(messages.shown[0].text, QString::fromLatin1(k.message));
        EXPECT_EQ(messages.shown[0].icon, platform::MsgIcon::Error);
        EXPECT_TRUE(w->isVisible());
        EXPECT_FALSE(QFile::exists(path()));
        user->press(*w->Btn_Cancel);
        EXPECT_EQ(w->result(), TFDNet::kModalCancel);
    }
}

TEST_F(DNetWindow, RowButtons)
{
    user->open();
    user->setRow(*w->QSG, 1, {"5", "1", "1", "A"});
    user->setRow(*w->QSG, 2, {"6", "2", "2", "B"});
    user->setRow(*w->QSG, 64, {"63", "3", "3", "Last"});

    // Insert at row 64 discards its contents; the new row is entirely empty.
    w->QSG->SetRow(64);
    user->press(*w->Btn_InsRow);
    EXPECT_EQ(w->QSG->Cells(1, 64), QString());
    w->QSG->SetRow(1);
    user->press(*w->Btn_InsRow);
    EXPECT_EQ(w->QSG->Cells(1, 1), QString());
    EXPECT_EQ(w->QSG->Cells(4, 2), QStringLiteral("A"));

    // Delete asks; No keeps the row, Yes moves the rows below up.
    messages.answers = {MsgResult::No, MsgResult::Yes};
    user->press(*w->Btn_DelRow);
    EXPECT_EQ(w->QSG->Cells(4, 2), QStringLiteral("A"));
    user->press(*w->Btn_DelRow);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].text, QStringLiteral("Are you sure to delete the Row number 1"));
    EXPECT_EQ(w->QSG->Cells(4, 1), QStringLiteral("A"));
    EXPECT_EQ(w->QSG->Cells(0, 1), QStringLiteral("1"));

    // Paste before any copy in this window: text 1502. Copy row 2 and paste onto the empty row 3.
    messages.shown.clear();
    w->QSG->SetRow(3);
    user->press(*w->Btn_PasteRow);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("Error!!! Copy a valid row before Paste it"));
    w->QSG->SetRow(2);
    user->press(*w->Btn_CopyRow);
    w->QSG->SetRow(3);
    user->press(*w->Btn_PasteRow);
    EXPECT_EQ(w->QSG->Cells(4, 3), QStringLiteral("B"));

    // A click on a row number selects the whole row.
    const QRect r = w->QSG->CellRect(0, 2).toQRect();
    QTest::mouseClick(w->QSG->viewport(), Qt::LeftButton, {}, r.center());
    QCoreApplication::processEvents();
    const grid::TGridRect sel = w->QSG->Selection();
    EXPECT_EQ(sel.Top, 2);
    EXPECT_EQ(sel.Bottom, 2);
    EXPECT_EQ(sel.Left, 1);
    EXPECT_EQ(sel.Right, 4);
}

TEST_F(DNetWindow, AFileRowMissingAnAttributeIsReportedAndDoesNotStopTheLoad)
{
    ASSERT_TRUE(testsupport::writeFile(path(),
                                       "<DNET_Net><row ID=\"5\" NB_OUT=\"1\" Mnemonic=\"\"/>"
                                       "<row ID=\"7\" NB_IN=\"1\" NB_OUT=\"1\" Mnemonic=\"kept\"/></DNET_Net>"));
    user->open();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              QStringLiteral("Error in row 1!! The file has no attribute \"NB_IN\" in this row"));
    EXPECT_EQ(messages.shown[0].icon, platform::MsgIcon::Error);
    EXPECT_EQ(w->QSG->Cells(2, 1), QString());
    EXPECT_EQ(w->QSG->Cells(4, 2), QStringLiteral("kept"));
    user->press(*w->Btn_OK);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].text, QStringLiteral("Error in row 1!! Number Byte IN must be 0 or 65535"));
}

// The first row lacks "ID": shown with an empty ID, reported, and OK refuses to drop the scan
// list below it.
TEST_F(DNetWindow, AFileWhoseFirstRowHasNoIDIsNotSavedEmpty)
{
    const QByteArray file = "<DNET_Net><row NB_IN=\"4\" NB_OUT=\"2\" Mnemonic=\"\"/>"
                            "<row ID=\"7\" NB_IN=\"1\" NB_OUT=\"1\" Mnemonic=\"\"/></DNET_Net>";
    ASSERT_TRUE(testsupport::writeFile(path(), file));
    user->open();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("Error in row 1!! The file has no attribute \"ID\" in this row"));
    user->press(*w->Btn_OK);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].text,
              QStringLiteral("Error in row 1!! ID Cannot be Empty while this row or a row below it holds values"));
    EXPECT_EQ(written(), file);
    EXPECT_TRUE(w->isVisible());
}

// Insert Row makes an empty row; OK then refuses instead of dropping every slave below it.
TEST_F(DNetWindow, InsertThenOKKeepsTheRowsBelow)
{
    const QByteArray old = "<DNET_Net />\n";
    ASSERT_TRUE(testsupport::writeFile(path(), old));
    user->open();
    user->setRow(*w->QSG, 1, {"5", "4", "2", "a"});
    user->setRow(*w->QSG, 2, {"7", "2", "0", "b"});
    user->setRow(*w->QSG, 3, {"9", "1", "1", "c"});
    w->QSG->SetCol(1);
    w->QSG->SetRow(2);
    user->press(*w->Btn_InsRow);
    EXPECT_EQ(w->QSG->Cells(1, 3), QStringLiteral("7"));
    user->press(*w->Btn_OK);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              QStringLiteral("Error in row 2!! ID Cannot be Empty while this row or a row below it holds values"));
    EXPECT_EQ(written(), old);
    EXPECT_TRUE(w->isVisible());

    // Deleting the empty row lets OK save all three slaves.
    w->QSG->SetRow(2);
    messages.answers.push_back(MsgResult::Yes);
    user->press(*w->Btn_DelRow);
    user->press(*w->Btn_OK);
    EXPECT_EQ(messages.shown.size(), 2u); // the delete question only
    EXPECT_EQ(w->result(), 1);
    EXPECT_EQ(written().count("<row "), 3);
}

// A file of 70 slaves: the table shows 64 and says so; OK drops the rest only after Yes.
TEST_F(DNetWindow, AFileWithMoreSlavesThanTheTableAsksBeforeDroppingThem)
{
    QByteArray file = "<DNET_Net>";
    for (int i = 1; i <= 70; ++i)
        file += "<row ID=\"" + QByteArray::number(i <= 63 ? i : 1) + "\" NB_IN=\"1\" NB_OUT=\"1\" Mnemonic=\"\"/>";
    file += "</DNET_Net>";
    ASSERT_TRUE(testsupport::writeFile(path(), file));
    user->open();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              QStringLiteral("The file holds 70 Slaves; the table shows the first 64 of them."));
    EXPECT_EQ(messages.shown[0].icon, platform::MsgIcon::Warning);
    EXPECT_EQ(w->QSG->Cells(1, 64), QStringLiteral("1"));

    // Row 64 repeats ID 1: the user deletes it, then OK asks; No keeps the file.
    w->QSG->SetRow(64);
    messages.answers.push_back(MsgResult::Yes);
    user->press(*w->Btn_DelRow);
    user->press(*w->Btn_OK);
    ASSERT_EQ(messages.shown.size(), 3u);
    EXPECT_EQ(messages.shown[2].text, QStringLiteral("The file held 70 Slaves; saving keeps only the 64 Slaves of the "
                                                     "table and the others are lost. Save anyway?"));
    EXPECT_EQ(messages.shown[2].buttons, platform::MsgButtons::YesNo);
    EXPECT_EQ(written(), file);
    EXPECT_TRUE(w->isVisible());

    messages.answers.push_back(MsgResult::Yes);
    user->press(*w->Btn_OK);
    EXPECT_EQ(w->result(), 1);
    EXPECT_EQ(written().count("<row "), 63);
}

// The pointer resting on the table: a header cell shows its column's hint through the grid's
// cell hint, a filled data cell none, since the window's hint has the last word.
TEST_F(DNetWindow, TheGridShowsTheWindowsHintOnAToolTipRequest)
{
    user->open();
    user->setRow(*w->QSG, 1, {"5", "4", "2", "Valve island"});
    EXPECT_TRUE(w->QSG->HintShowCells);
    auto tipAt = [&](int col, int row) {
        QToolTip::hideText();
        const QPoint at = w->QSG->CellRect(col, row).toQRect().center();
        QHelpEvent help(QEvent::ToolTip, at, w->QSG->viewport()->mapToGlobal(at));
        QApplication::sendEvent(w->QSG->viewport(), &help);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    ASSERT_FALSE(w->Hint_DeviceNet.value(3).isEmpty());
    EXPECT_EQ(tipAt(4, 0), w->Hint_DeviceNet.value(3));
    QToolTip::hideText();
    // The cell's text is proposed and the window's empty hint replaces it.
    EXPECT_EQ(w->QSG->ComposeCellHint(w->QSG->CellRect(4, 1).toQRect().center()).Text, QString());
}

TEST_F(DNetWindow, Screenshot)
{
    user->open();
    user->setRow(*w->QSG, 1, {"5", "4", "2", "Valve island"});
    user->setRow(*w->QSG, 2, {"7", "2", "0", "Photo eye"});
    user->checkTablePicture(QStringLiteral("windows/DNet_window.png"),
                            QSize(TFDNet::kClientWidth, TFDNet::kClientHeight), *w->QSG, 4, 2, 5);
}

} // namespace

namespace {

TEST_F(DNetWindow, ASaveThatFailsIsReportedAndTheWindowStaysOpen)
{
    common::State().File_DNETM_Net = projectFile(QStringLiteral("no such folder/DNETM_Net.xml"));
    user->open();
    user->setRow(*w->QSG, 1, {"5", "1", "1"});
    user->press(*w->Btn_OK);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_FALSE(messages.shown[0].text.isEmpty());
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->QSG->Cells(1, 1), QStringLiteral("5"));
}

TEST_F(DNetWindow, AFileThatIsNoXmlIsReportedAndTheWindowDoesNotOpen)
{
    ASSERT_TRUE(testsupport::writeFile(path(), "<DNET_Net><row ID="));
    user->open();
    QCoreApplication::processEvents();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(w->result(), TFDNet::kModalCancel);
    EXPECT_EQ(testsupport::readFile(path()), QByteArray("<DNET_Net><row ID=")) << "the file is left alone";
}

} // namespace

namespace {

TEST_F(DNetWindow, ALanguageChangeRenewsCaptionsHeadersAndHints)
{
    user->open();
    common::Lang_Str()[3100] = QStringLiteral("Rete DeviceNet");
    common::Lang_Str()[3106] = QStringLiteral("Copia riga");
    common::Lang_Str()[3116] = QStringLiteral("Byte ingresso");
    common::Lang_Str()[3122] = QStringLiteral("Descrizione");
    w->Set_Lang();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Rete DeviceNet"));
    EXPECT_EQ(w->Btn_CopyRow->Caption(), QStringLiteral("Copia riga"));
    EXPECT_EQ(w->QSG->Cells(2, 0), QStringLiteral("Byte ingresso"));
    EXPECT_EQ(w->Hint_DeviceNet,
              (QStringList{"Insert the ID of DeviceNet Slave", "Insert the Input Number of Bytes of DeviceNet Slave",
                           "Insert the Output Number of Bytes of DeviceNet Slave", "Descrizione"}));
}

} // namespace
