// The EDS connection picker opened on EDS files as the scanner table opens it: the rows it
// lists for connection paths and parameters of each shape, the entries it drops, comments
// and names holding the word Connection, the error and Cancel when nothing is usable, and the
// real EDS files of the reference data.

#include "protocols/ethernet/ethernetip/UEtherNetIP_EDS.h"

#include "common/GlyphButton.h"
#include "common/UComonState.h"
#include "common/ULanguage.h"
#include "platform/Services.h"
#include "support/FakeMessages.h"
#include "support/ProgramFolder.h"
#include "support/TableWindowDriver.h"
#include "support/TableWindowTest.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>

namespace {

using ethernet::TFEtherNEtIP_EDS;
using testsupport::TableWindowDriver;
namespace col = ethernet::eds_col;

// One connection entry written the way EDS files spread it, one field group per line.
QByteArray entry(int number, const char* params, const char* name, const char* help, const QByteArray& path)
{
    return "        Connection" + QByteArray::number(number)
           + " =\r\n"
             "                0x84010002,             $ trigger and transport\r\n"
             "                "
           + params
           + ",             $ connection parameters\r\n"
             "                Param1,,Assem150,       $ O->T RPI, size, format\r\n"
             "                Param1,,Assem100,       $ T->O RPI, size, format\r\n"
             "                ,,                      $ config #1 size, format\r\n"
             "                ,,                      $ config #2 size, format\r\n"
             "                "
           + name
           + ",           $ connection name\r\n"
             "                "
           + help
           + ",           $ help string\r\n"
             "                \""
           + path + "\";       $ path\r\n";
}

QByteArray edsWith(const QByteArray& entries)
{
    return "$ EZ-EDS written by hand\r\n[File]\r\n        DescText = \"Test adapter\";\r\n"
           "[Connection Manager]\r\n"
           "        Object_Name = \"Connection Manager Object\";\r\n"
           "        Object_Class_Code = 0x06;\r\n"
           + entries + "\r\n[Capacity]\r\n        MaxMsgConnections = 6;\r\n";
}

class EDSPicker : public testsupport::TableWindowTest<TFEtherNEtIP_EDS> {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        Start();
    }

    // Opens the picker on a file as the scanner table does (without its modal loop).
    void openOn(const QString& path)
    {
        w->hide();
        messages.shown.clear();
        w->setResult(0);
        w->EDS_FileName = path;
        user->open();
    }

    void openOnText(const QByteArray& eds)
    {
        const QString path = QDir(tmp.path()).filePath(QStringLiteral("adapter.eds"));
        ASSERT_TRUE(testsupport::writeFile(path, eds));
        openOn(path);
    }

    // Columns 3 to 8 of a listed row: what the scanner table copies.
    QStringList picked(int row) const
    {
        QStringList cells;
        for (int c = col::Instance_O_T; c <= col::Dim_Header_T_O; ++c)
            cells << w->ACG->Cells(c, row);
        return cells;
    }

    // The picker found nothing: the error once the window is up, then Cancel.
    void expectNoConnection()
    {
        // The close timer fires once the window is up.
        EXPECT_TRUE(QTest::qWaitFor([this] { return !messages.shown.empty(); }));
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.lastText(), QStringLiteral("Error!! No Valid Connection found"));
        EXPECT_EQ(messages.shown.back().icon, platform::MsgIcon::Error);
        EXPECT_EQ(w->result(), TFEtherNEtIP_EDS::kModalCancel);
        EXPECT_FALSE(w->isVisible());
    }
};

TEST_F(EDSPicker, PathsAndParametersDecodeIntoTheListedRow)
{
    // Columns: instance O > T, point O > T, instance T > O, point T > O, header O > T, T > O.
    const QByteArray fillers993 = QByteArray("00 ").repeated(993);
    const struct Case {
        const char* what;
        const char* params;
        QByteArray path;
        QStringList row; // empty: the entry is dropped
    } cases[] = {
        {"two connection points",
         "0x44640405",
         "20 04 24 64 2C 96 2C 65",
         {"100", "150", "100", "101", "Default", "Default"}},
        {"a T > O instance before its point",
         "0x44640405",
         "20 04 24 64 2C 96 24 65 2C 66",
         {"100", "150", "101", "102", "Default", "Default"}},
        {"one point only", "0x44640405", "20 04 24 64 2C 96 00 00", {}},
        {"a piece past FF is skipped",
         "0x44640405",
         "20 04 24 64 1FF 2C 96 2C 65",
         {"100", "150", "100", "101", "Default", "Default"}},
        {"skipped pieces do not count toward eight bytes", "0x44640405", "20 04 24 64 2C 96 2C 1FF G0", {}},
        {"parameter references are skipped", "0x44640405", "20 04 24 01 2C [Param6] 2C [Param5]", {}},
        {"not a class segment first", "0x44640405", "21 04 24 64 2C 96 2C 65", {}},
        {"not an instance segment third", "0x44640405", "20 04 25 64 2C 96 2C 65", {}},
        {"header formats 3 and 1", "0x44641305", "20 04 24 64 2C 96 2C 65", {"100", "150", "100", "101", "3", "1"}},
        {"decimal parameters", "17412", "20 04 24 64 2C 96 2C 65", {"100", "150", "100", "101", "Default", "4"}},
        {"parameters that are no number", "Param3", "20 04 24 64 2C 96 2C 65", {"100", "150", "100", "101", "7", "7"}},
        {"a path of 1001 bytes",
         "0x44640405",
         "20 04 24 64 " + fillers993 + "2C 96 2C 65",
         {"100", "150", "100", "101", "Default", "Default"}},
        {"bytes past 1001 are ignored", "0x44640405", "20 04 24 64 00 " + fillers993 + "2C 96 2C 65", {}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        openOnText(edsWith(entry(1, k.params, "\"Drive\"", "\"Its help\"", k.path)));
        if (k.row.isEmpty()) {
            expectNoConnection();
            continue;
        }
        ASSERT_EQ(w->ACG->RowCount(), 2);
        EXPECT_EQ(w->ACG->Cells(col::Connection, 1), QStringLiteral("Connection1"));
        EXPECT_EQ(w->ACG->Cells(col::Name, 1), QStringLiteral("Drive"));
        EXPECT_EQ(w->ACG->Cells(col::Help, 1), QStringLiteral("Its help"));
        EXPECT_EQ(picked(1), k.row);
        EXPECT_EQ(w->ACG->Row(), 1);
        EXPECT_TRUE(messages.shown.empty());
    }
}

TEST_F(EDSPicker, OnlyQualifyingEntriesAreListedAndNumberedInOrder)
{
    openOnText(edsWith(entry(1, "0x44640405", "\"First\"", "\"\"", "20 04 24 64 2C 96 2C 65")
                       + entry(2, "0x44640405", "\"Dropped\"", "\"\"", "20 04 24 64 2C 96 00 00")
                       + entry(3, "0x44640305", "\"Third\"", "\"\"", "20 04 24 64 2C 98 2C 65")));
    ASSERT_EQ(w->ACG->RowCount(), 3);
    ASSERT_EQ(w->List_Conn.size(), 2u);
    EXPECT_EQ(w->List_Conn[1].ConnIndex, 2);
    EXPECT_EQ(w->ACG->Cells(col::Connection, 2), QStringLiteral("Connection2"));
    EXPECT_EQ(w->ACG->Cells(col::Name, 2), QStringLiteral("Third"));
    EXPECT_EQ(picked(2), (QStringList{"100", "152", "100", "101", "3", "Default"}));

    // Shown again on another file, the earlier connections are gone.
    openOnText(edsWith(entry(1, "0x44640405", "\"Only\"", "\"\"", "20 04 24 05 2C 06 2C 07")));
    ASSERT_EQ(w->ACG->RowCount(), 2);
    EXPECT_EQ(w->ACG->Cells(col::Name, 1), QStringLiteral("Only"));
}

TEST_F(EDSPicker, CommentsAndTheWordConnectionDoNotCutAnEntry)
{
    // Every field on a line of its own with a comment after it; the name and help hold the
    // word Connection, and a key after the entries names a connection too.
    openOnText("[Connection Manager]\n"
               "\tConnection1 =\n"
               "\t\t0x84010002,   $ Connection type\n"
               "\t\t\t$ Connection2 = only a comment\n"
               "\t\t0x44640405,\n"
               "\t\t,,,,,,,,,,    $ sizes and formats\n"
               "\t\t\"Connection to the drive\",\n"
               "\t\t\"Connection help\",\n"
               "\t\t\"20 04 24 64 2C 96 2C 65\";\n"
               "\tConnectionMaxCount = 1;\n");
    ASSERT_EQ(w->ACG->RowCount(), 2);
    EXPECT_EQ(w->ACG->Cells(col::Name, 1), QStringLiteral("Connection to the drive"));
    EXPECT_EQ(w->ACG->Cells(col::Help, 1), QStringLiteral("Connection help"));
    EXPECT_EQ(picked(1), (QStringList{"100", "150", "100", "101", "Default", "Default"}));
}

TEST_F(EDSPicker, NothingUsableShowsTheErrorAndCancels)
{
    const struct {
        const char* what;
        std::optional<QByteArray> eds; // none: no file
    } cases[] = {
        {"a missing file", std::nullopt},
        {"no [Connection Manager] section",
         "[File]\r\n" + entry(1, "0x44640405", "\"Drive\"", "\"\"", "20 04 24 64 2C 96 2C 65")},
        {"entries after the section ended",
         "[Connection Manager]\r\n[Capacity]\r\n"
             + entry(1, "0x44640405", "\"Drive\"", "\"\"", "20 04 24 64 2C 96 2C 65")},
        {"an entry without a path", edsWith("        Connection1 = 0x84010002,0x44640405,\"Drive\";\r\n")},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        if (k.eds)
            openOnText(*k.eds);
        else
            openOn(QDir(tmp.path()).filePath(QStringLiteral("missing.eds")));
        expectNoConnection();
    }

    // Shown modally, as the scanner table shows it, it returns Cancel by itself.
    messages.shown.clear();
    w->EDS_FileName = QDir(tmp.path()).filePath(QStringLiteral("missing.eds"));
    EXPECT_EQ(w->ShowModal(), TFEtherNEtIP_EDS::kModalCancel);
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(EDSPicker, AnEntryAtTheEndOfTheFileIsDecoded)
{
    openOnText("[Connection Manager]\r\n        Connection7 = 0x84010002, 0x44640405, , , , , , , , , , ,"
               " \"Last\" , \"\" , \"20 04 24 0A 2C 0B 2C 0C\" ;");
    ASSERT_EQ(w->ACG->RowCount(), 2);
    EXPECT_EQ(w->ACG->Cells(col::Name, 1), QStringLiteral("Last"));
    EXPECT_EQ(picked(1), (QStringList{"10", "11", "10", "12", "Default", "Default"}));
}

// An editor's UTF-8 file without a byte-order mark keeps its accents; a Windows-1252 one too.
TEST_F(EDSPicker, NamesKeepTheirAccentsInUtf8AndAnsi)
{
    const struct {
        const char* what;
        QByteArray name;
    } files[] = {{"UTF-8 without a mark", "Z\xC3\xBCrich"}, {"Windows-1252", "Z\xFCrich"}};
    for (const auto& f : files) {
        SCOPED_TRACE(f.what);
        openOnText("[Connection Manager]\r\n        Connection7 = 0x84010002, 0x44640405, , , , , , , , , , ,"
                   " \""
                   + f.name + "\" , \"\" , \"20 04 24 0A 2C 0B 2C 0C\" ;");
        ASSERT_EQ(w->ACG->RowCount(), 2);
        EXPECT_EQ(w->ACG->Cells(col::Name, 1), QString::fromUtf8("Z\u00fcrich"));
    }
}

TEST_F(EDSPicker, RealEdsFiles)
{
    QV_REQUIRE_REFDATA(refdata);
    const QString dir = refdata + QStringLiteral("/eds-enip/");

    openOn(dir + QStringLiteral("opener_sample_app.eds"));
    ASSERT_EQ(w->ACG->RowCount(), 4);
    EXPECT_EQ(w->ACG->Cells(col::Name, 1), QStringLiteral("Exlusive Owner"));
    EXPECT_EQ(picked(1), (QStringList{"151", "150", "151", "100", "Default", "Default"}));
    EXPECT_EQ(w->ACG->Cells(col::Name, 2), QStringLiteral("Input Only"));
    EXPECT_EQ(w->ACG->Cells(col::Conn_Point_O_T, 2), QStringLiteral("152"));
    EXPECT_EQ(w->ACG->Cells(col::Dim_Header_O_T, 2), QStringLiteral("3"));
    EXPECT_EQ(w->ACG->Cells(col::Name, 3), QStringLiteral("Listen Only"));
    EXPECT_EQ(w->ACG->Cells(col::Conn_Point_O_T, 3), QStringLiteral("153"));
    EXPECT_EQ(w->ACG->Cells(col::Dim_Header_O_T, 3), QStringLiteral("3"));

    openOn(dir + QStringLiteral("demo.eds"));
    ASSERT_EQ(w->ACG->RowCount(), 2);
    EXPECT_EQ(w->ACG->Cells(col::Name, 1), QStringLiteral("Exclusive Owner "));
    EXPECT_EQ(picked(1).mid(0, 4), (QStringList{"1", "2", "1", "3"}));
}

TEST_F(EDSPicker, VendorEdsWithoutConnectionPoints)
{
    QV_REQUIRE_SHARED_REFDATA(refdata, "eds-enip/netx90.eds");
    // Its paths name their connection points through parameters only.
    openOn(refdata + QStringLiteral("/eds-enip/netx90.eds"));
    expectNoConnection();
}

TEST_F(EDSPicker, TextsFollowTheLanguage)
{
    EXPECT_EQ(w->windowTitle(), QStringLiteral("EtherNet/IP EDS Decode - Select the Connection to use"));
    EXPECT_EQ(w->L_SW_Desc->text(), QStringLiteral("Select the Connection To use"));
    EXPECT_EQ(w->ACG->Cells(col::Dim_Header_T_O, 0), QStringLiteral("Dim Header T > O"));
    EXPECT_EQ(w->Btn_Cancel->toolTip(), QStringLiteral("Exit without select any EtherNet/IP Device Connection"));
    ASSERT_TRUE(QDir(tmp.path()).mkpath(QStringLiteral("LANGUAGE")));
    ASSERT_TRUE(testsupport::writeFile(QDir(tmp.path()).filePath(QStringLiteral("LANGUAGE/Italiano.lng")),
                                       "STR5400 =Connessioni EDS\r\nSTR5407 =Nome\r\nSTR5402 =Conferma\r\n"));
    QString language = QStringLiteral("Italiano");
    common::Load_Language(QDir(tmp.path()).filePath(QStringLiteral("LANGUAGE")), language);
    w->Set_Lang();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Connessioni EDS"));
    EXPECT_EQ(w->ACG->Cells(col::Name, 0), QStringLiteral("Nome"));
    EXPECT_EQ(w->Btn_OK->Caption(), QStringLiteral("Conferma"));
    EXPECT_EQ(w->ACG->Cells(col::Help, 0), QStringLiteral("Help String"));
}

TEST_F(EDSPicker, Screenshot)
{
    openOnText(edsWith(entry(1, "0x44640405", "\"Exclusive Owner\"", "\"Data in and out\"", "20 04 24 64 2C 96 2C 65")
                       + entry(2, "0x44640305", "\"Input Only\"", "\"\"", "20 04 24 64 2C 98 2C 65")));
    user->checkTablePicture(QStringLiteral("windows/EtherNetIP_EDS_window.png"),
                            QSize(TFEtherNEtIP_EDS::kClientWidth, TFEtherNEtIP_EDS::kClientHeight), *w->ACG, 1, 1);
}

} // namespace
