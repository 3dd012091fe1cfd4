// The offset window's slaves: built from the saved scan list, offsets paired with the slaves
// by ID, the duplicate output-position check with its exact message, and "DNETM_DefOff.xml"
// written byte for byte as a fixture shows.

#include "gateway/UDefOffsetSlaves.h"

#include "common/ULanguage.h"

#include "support/TestSupport.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace gateway;

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}
QT_END_NAMESPACE

namespace {

TDNet_Net_Row netRow(const char* id, const char* in, const char* out, const char* mnemonic = "")
{
    return {QLatin1String(id), QLatin1String(in), QLatin1String(out), QLatin1String(mnemonic), {}, {}};
}

TDNet_Offset_Node node(std::optional<const char*> id, std::vector<TDNet_Byte_Row> in, std::vector<TDNet_Byte_Row> out)
{
    TDNet_Offset_Node n;
    if (id)
        n.ID = QLatin1String(*id);
    n.ByteIN = std::move(in);
    n.ByteOUT = std::move(out);
    return n;
}

TDNet_Byte_Row byteRow(const char* offset, const char* mnemonic)
{
    return {QLatin1String(offset), QLatin1String(mnemonic)};
}

class DefOffsetSlaves : public ::testing::Test {
protected:
    void SetUp() override { common::Load_Default_Texts(); }

    TSlave_List load(std::vector<TDNet_Net_Row> rows)
    {
        TDNet_Net_File net;
        net.Rows = std::move(rows);
        TSlave_List slaves;
        QString error;
        EXPECT_TRUE(Load_Slave_DN(net, slaves, error)) << error.toStdString();
        return slaves;
    }
};

TEST_F(DefOffsetSlaves, SlavesStartWithEveryByteNone)
{
    TSlave_List s = load({netRow("5", "2", "1", "Valves"), netRow("7", "0", "0")});
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(s[0]->ID, 5);
    EXPECT_EQ(s[0]->Mnemonic, QStringLiteral("Valves"));
    EXPECT_EQ(s[0]->SL_ByteIN, (QStringList{"None", "None"}));
    EXPECT_EQ(s[0]->SL_ByteIN_M, (QStringList{"", ""}));
    EXPECT_EQ(s[0]->SL_ByteOUT, (QStringList{"None"}));
    EXPECT_TRUE(s[1]->SL_ByteIN.isEmpty());
}

TEST_F(DefOffsetSlaves, AScanListRowThatCannotBeReadLoadsNothing)
{
    struct Case {
        TDNet_Net_Row row;
        const char* attribute;
    } cases[] = {
        {{{}, QStringLiteral("1"), QStringLiteral("1"), {}, {}, {}}, "ID"},
        {netRow("x", "1", "1"), "ID"},
        {netRow("5", "", "1"), "NB_IN"},
        {netRow("5", "1", "70000"), "NB_OUT"},
    };
    for (const Case& k : cases) {
        TDNet_Net_File net;
        net.Rows = {netRow("3", "1", "1"), k.row};
        TSlave_List slaves;
        QString error;
        EXPECT_FALSE(Load_Slave_DN(net, slaves, error));
        EXPECT_TRUE(slaves.empty());
        EXPECT_EQ(error, QStringLiteral("DNETM_Net.xml: row 2 has no valid \"%1\"").arg(QLatin1String(k.attribute)));
    }
}

TEST_F(DefOffsetSlaves, OffsetsFollowTheirSlaveByID)
{
    // The scan list's rows were swapped since the offsets were saved.
    TSlave_List s = load({netRow("7", "1", "0"), netRow("5", "3", "1")});
    TDNet_DefOff_File file;
    file.Nodes = {node("5", {byteRow("10", "a"), TDNet_Byte_Row{{}, QStringLiteral("no offset")}}, {byteRow("4", "o")}),
                  node("7", {byteRow("20", "b"), byteRow("21", "beyond NB_IN")}, {}),
                  node("9", {byteRow("30", "gone")}, {})};
    Load_Offset_Slave_DN(file, s);
    EXPECT_EQ(s[0]->SL_ByteIN, (QStringList{"20"}));
    EXPECT_EQ(s[0]->SL_ByteIN_M, (QStringList{"b"}));
    EXPECT_EQ(s[1]->SL_ByteIN, (QStringList{"10", "None", "None"}))
        << "a missing Offset keeps None; a grown count adds None";
    EXPECT_EQ(s[1]->SL_ByteIN_M, (QStringList{"a", "no offset", ""}));
    EXPECT_EQ(s[1]->SL_ByteOUT, (QStringList{"4"}));
}

TEST_F(DefOffsetSlaves, FilesWithoutIDsPairByPosition)
{
    TSlave_List s = load({netRow("7", "1", "0"), netRow("5", "1", "0")});
    TDNet_DefOff_File file;
    file.Nodes = {node(std::nullopt, {byteRow("1", "")}, {}), node(std::nullopt, {byteRow("2", "")}, {})};
    Load_Offset_Slave_DN(file, s);
    EXPECT_EQ(s[0]->SL_ByteIN, (QStringList{"1"}));
    EXPECT_EQ(s[1]->SL_ByteIN, (QStringList{"2"}));
}

TEST_F(DefOffsetSlaves, DuplicateOutputPositions)
{
    struct Case {
        QStringList out5; // offsets of slave 5's three output bytes
        QStringList out7; // offsets of slave 7's two output bytes
        QStringList in7;  // offsets of slave 7's two input bytes
        const char* message;
    } cases[] = {
        {{"None", "None", "None"}, {"None", "None"}, {"None", "None"}, nullptr},
        {{"0", "1", "2"}, {"3", "1439"}, {"0", "0"}, nullptr}, // input bytes may share a position
        {{"0", "12", "None"},
         {"12", "0"},
         {"None", "None"},
         "Error in ByteOUT! The same byte of IO-Link Slave is used in two bytes DeviceNet.\n\r"
         "( First ID = 5 Byte = 1, Second ID = 7 Byte = 0)"},
        {{"4", "None", "4"},
         {"None", "None"},
         {"None", "None"},
         "Error in ByteOUT! The same byte of IO-Link Slave is used in two bytes DeviceNet.\n\r"
         "( First ID = 5 Byte = 0, Second ID = 5 Byte = 2)"},
    };
    for (const Case& k : cases) {
        TSlave_List s = load({netRow("5", "0", "3"), netRow("7", "2", "2")});
        s[0]->SL_ByteOUT = k.out5;
        s[1]->SL_ByteOUT = k.out7;
        s[1]->SL_ByteIN = k.in7;
        const auto want = k.message ? std::optional<QString>(QString::fromLatin1(k.message)) : std::nullopt;
        EXPECT_EQ(Check_Data(s), want) << (k.message ? k.message : "passes");
    }
}

// An offset read from a hand-edited file is checked on OK as a picked one would be: "None" or
// a position from 0 to 1439, input bytes as well as output bytes.
TEST_F(DefOffsetSlaves, OffsetsThePickListDoesNotOfferAreRefused)
{
    struct Case {
        QStringList in5;
        QStringList out5;
        const char* message;
    } cases[] = {
        {{"None", "0"}, {"1439"}, nullptr},
        {{"None", "1440"},
         {"0"},
         "Error in ByteIN! The offset \"1440\" of ID = 5 Byte = 1 is not \"None\" or a position from 0 to 1439."},
        {{"-1", "0"},
         {"0"},
         "Error in ByteIN! The offset \"-1\" of ID = 5 Byte = 0 is not \"None\" or a position from 0 to 1439."},
        {{"None", "None"},
         {"none"},
         "Error in ByteOUT! The offset \"none\" of ID = 5 Byte = 0 is not \"None\" or a position from 0 to 1439."},
        {{"None", "None"},
         {""},
         "Error in ByteOUT! The offset \"\" of ID = 5 Byte = 0 is not \"None\" or a position from 0 to 1439."},
    };
    for (const Case& k : cases) {
        TSlave_List s = load({netRow("5", "2", "1")});
        s[0]->SL_ByteIN = k.in5;
        s[0]->SL_ByteOUT = k.out5;
        const auto want = k.message ? std::optional<QString>(QString::fromLatin1(k.message)) : std::nullopt;
        EXPECT_EQ(Check_Data(s), want) << (k.message ? k.message : "passes");
    }
}

TEST_F(DefOffsetSlaves, FileWrittenByteForByte)
{
    TSlave_List s = load({netRow("5", "2", "1"), netRow("7", "0", "0"), netRow("9", "1", "0")});
    s[0]->SL_ByteIN = {"None", "0"};
    s[0]->SL_ByteIN_M = {"", "Inputs 1-8"};
    s[0]->SL_ByteOUT = {"1439"};
    s[0]->SL_ByteOUT_M = {"Coils"};
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("DNETM_DefOff.xml"));
    ASSERT_TRUE(Write_DNETM_DefOff_File(path, DefOff_File_From_Slaves(s)));
    EXPECT_EQ(testsupport::readFile(path),
              testsupport::readFile(testsupport::fixturePath("iolink/DNETM_DefOff_window.xml")));

    // With no slave the file holds only the root and the comment.
    ASSERT_TRUE(Write_DNETM_DefOff_File(path, DefOff_File_From_Slaves({})));
    EXPECT_EQ(testsupport::readFile(path), QByteArray("<Define_Offset />\n<!--SW_VERSION = 1.000-->\n"));
}

} // namespace

// ---- the window, driven as a user drives it ------------------------------------------------

#include "gateway/UDefOffset.h"

#include "common/GlyphButton.h"
#include "common/UComonState.h"
#include "platform/Services.h"
#include "support/FakeMessages.h"
#include "support/TableWindowDriver.h"
#include "support/TableWindowTest.h"

#include <QFile>
#include <QLabel>
#include <QTabWidget>
#include <QTest>

namespace {

using gateway::TFDefOffset;

class DefOffsetWindow : public testsupport::TableWindowTest<TFDefOffset> {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        common::State().File_DNETM_Net = path("DNETM_Net.xml");
        Start(&common::TProgramState::File_DNETM_DefOff, "DNETM_DefOff.xml");
    }

    QString path(const char* name) const { return projectFile(QLatin1String(name)); }
    QByteArray written() const { return testsupport::readFile(path("DNETM_DefOff.xml")); }
    void net(const QByteArray& rows)
    {
        ASSERT_TRUE(testsupport::writeFile(path("DNETM_Net.xml"), "<DNET_Net>" + rows + "</DNET_Net>"));
    }
};

TEST_F(DefOffsetWindow, ChoicesOfEverySlaveAreSavedOnOK)
{
    net("<row ID=\"5\" NB_IN=\"2\" NB_OUT=\"1\" Mnemonic=\"Valves\"/><row ID=\"7\" NB_IN=\"0\" NB_OUT=\"0\" "
        "Mnemonic=\"\"/>"
        "<row ID=\"9\" NB_IN=\"1\" NB_OUT=\"0\" Mnemonic=\"\"/>");
    user->open();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Define Offset"));
    EXPECT_EQ(w->ACG_DN_Slaves->RowCount(), 4);
    EXPECT_EQ(w->ACG_DN_Slaves->Cells(3, 1), QStringLiteral("Valves"));
    // The first slave is selected and its bytes shown.
    EXPECT_EQ(w->Slave_Before_Select, 0);
    EXPECT_EQ(w->ACG_ByteIN->RowCount(), 3);
    EXPECT_EQ(w->ACG_ByteIN->Cells(0, 2), QStringLiteral("1"));
    EXPECT_EQ(w->ACG_ByteIN->Cells(1, 2), QStringLiteral("None"));

    user->type(*w->ACG_ByteIN, 1, 2, QStringLiteral("0"));
    user->type(*w->ACG_ByteIN, 2, 2, QStringLiteral("Inputs 1-8"));
    user->type(*w->ACG_ByteOUT, 1, 1, QStringLiteral("1439"));
    user->type(*w->ACG_ByteOUT, 2, 1, QStringLiteral("Coils"));

    // Switching to slave 7 and back shows slave 5's choices as left.
    user->clickCell(*w->ACG_DN_Slaves, 0, 2);
    EXPECT_EQ(w->Slave_Before_Select, 1);
    EXPECT_EQ(w->ACG_ByteIN->RowCount(), 1) << "a slave without input bytes shows an empty table";
    user->clickCell(*w->ACG_DN_Slaves, 0, 1);
    EXPECT_EQ(w->ACG_ByteIN->Cells(2, 2), QStringLiteral("Inputs 1-8"));

    user->press(*w->Btn_OK);
    EXPECT_TRUE(messages.shown.empty()) << messages.lastText().toStdString();
    EXPECT_EQ(w->result(), TFDefOffset::kModalOK);
    EXPECT_EQ(written(), testsupport::readFile(testsupport::fixturePath("iolink/DNETM_DefOff_window.xml")));
}

TEST_F(DefOffsetWindow, OffsetPickListOffersNoneAndEveryPosition)
{
    user->open();
    for (tables::TTableGrid* grid : {w->ACG_ByteIN, w->ACG_ByteOUT}) {
        const QStringList& items = grid->Columns()[1].ComboItems();
        ASSERT_EQ(items.size(), 1441);
        EXPECT_EQ(items.first(), QStringLiteral("None"));
        EXPECT_EQ(items[1], QStringLiteral("0"));
        EXPECT_EQ(items.last(), QStringLiteral("1439"));
        EXPECT_EQ(grid->Columns()[1].Editor(), grid::edComboList);
    }
    EXPECT_TRUE(w->ACG_DN_Slaves->Columns()[0].ReadOnly());
}

TEST_F(DefOffsetWindow, AnOutputPositionTakenTwiceIsRefused)
{
    net("<row ID=\"5\" NB_IN=\"0\" NB_OUT=\"2\" Mnemonic=\"\"/><row ID=\"7\" NB_IN=\"0\" NB_OUT=\"1\" Mnemonic=\"\"/>");
    user->open();
    user->type(*w->ACG_ByteOUT, 1, 2, QStringLiteral("12"));
    user->clickCell(*w->ACG_DN_Slaves, 0, 2);
    user->type(*w->ACG_ByteOUT, 1, 1, QStringLiteral("12"));
    user->press(*w->Btn_OK);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              QStringLiteral("Error in ByteOUT! The same byte of IO-Link Slave is used in two bytes DeviceNet.\n\r"
                             "( First ID = 5 Byte = 1, Second ID = 7 Byte = 0)"));
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(QFile::exists(path("DNETM_DefOff.xml")));
}

TEST_F(DefOffsetWindow, OffsetsStayWithTheirSlaveWhenTheScanListIsReordered)
{
    net("<row ID=\"7\" NB_IN=\"1\" NB_OUT=\"0\" Mnemonic=\"\"/><row ID=\"5\" NB_IN=\"1\" NB_OUT=\"0\" Mnemonic=\"\"/>");
    ASSERT_TRUE(testsupport::writeFile(
        path("DNETM_DefOff.xml"),
        "<Define_Offset><Nodo_DNET ID=\"5\"><ByteIN><row Offset=\"50\"/></ByteIN><ByteOUT/></Nodo_DNET>"
        "<Nodo_DNET ID=\"7\"><ByteIN><row Offset=\"70\" Mnemonic=\"seven\"/></ByteIN><ByteOUT/></Nodo_DNET>"
        "</Define_Offset>"));
    user->open();
    EXPECT_EQ(w->ACG_ByteIN->Cells(1, 1), QStringLiteral("70"));
    user->clickCell(*w->ACG_DN_Slaves, 0, 2);
    EXPECT_EQ(w->ACG_ByteIN->Cells(1, 1), QStringLiteral("50"));
    EXPECT_EQ(w->ACG_ByteIN->Cells(2, 1), QString()) << "a missing Mnemonic loads as empty";
}

TEST_F(DefOffsetWindow, NoScanListGivesEmptyTablesAndAnEmptyFile)
{
    user->open();
    EXPECT_EQ(w->ACG_DN_Slaves->RowCount(), 1);
    EXPECT_EQ(w->ACG_ByteIN->RowCount(), 1);
    user->press(*w->Btn_OK);
    EXPECT_EQ(written(), QByteArray("<Define_Offset />\n<!--SW_VERSION = 1.000-->\n"));
}

TEST_F(DefOffsetWindow, AScanListThatCannotBeReadDoesNotOpen)
{
    net("<row ID=\"5\" NB_IN=\"1\" NB_OUT=\"1\" Mnemonic=\"\"/><row NB_IN=\"1\" NB_OUT=\"1\" Mnemonic=\"\"/>");
    user->open();
    QCoreApplication::processEvents();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("DNETM_Net.xml: row 2 has no valid \"ID\""));
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(w->result(), TFDefOffset::kModalCancel);
}

// Without slaves each table holds only its header row: it is painted as the header it is, the
// same as above data rows, not in the data or selection colours with a focus frame.
TEST_F(DefOffsetWindow, WithoutSlavesTheHeaderRowsStayHeaders)
{
    const auto headerRows = [this] {
        QList<QImage> rows;
        for (grid::TQvStringGrid* g :
             {static_cast<grid::TQvStringGrid*>(w->ACG_DN_Slaves), static_cast<grid::TQvStringGrid*>(w->ACG_ByteIN)}) {
            const QImage shot = g->grab().toImage();
            const QRect header = g->CellRect(0, 0).toQRect().united(g->CellRect(g->ColCount() - 1, 0).toQRect());
            rows << shot.copy(header.translated(g->viewport()->pos()));
        }
        return rows;
    };
    net("<row ID=\"5\" NB_IN=\"4\" NB_OUT=\"2\" Mnemonic=\"Valve island\"/>");
    user->open();
    QCoreApplication::processEvents();
    const QList<QImage> withSlaves = headerRows();
    w->hide();
    net("");
    user->open();
    QCoreApplication::processEvents();
    ASSERT_EQ(w->ACG_DN_Slaves->RowCount(), 1);
    ASSERT_EQ(w->ACG_ByteIN->RowCount(), 1);
    const QList<QImage> without = headerRows();
    user->screenshot(QStringLiteral("windows/DefOffset_no_slaves.png"));
    ASSERT_EQ(without.size(), withSlaves.size());
    for (int t = 0; t < int(without.size()); ++t) {
        SCOPED_TRACE(t);
        ASSERT_FALSE(without[t].isNull());
        EXPECT_EQ(without[t], withSlaves[t]) << "the header row is painted differently without data rows";
    }
}

TEST_F(DefOffsetWindow, Screenshot)
{
    net("<row ID=\"5\" NB_IN=\"4\" NB_OUT=\"2\" Mnemonic=\"Valve island\"/><row ID=\"7\" NB_IN=\"2\" NB_OUT=\"0\" "
        "Mnemonic=\"Photo eye\"/>");
    user->open();
    w->ACG_ByteIN->SetCells(1, 1, QStringLiteral("0"));
    w->ACG_ByteIN->SetCells(2, 1, QStringLiteral("Inputs 1-8"));
    user->checkTablePicture(QStringLiteral("windows/DefOffset_window.png"),
                            QSize(TFDefOffset::kClientWidth, TFDefOffset::kClientHeight), *w->ACG_ByteIN, 2, 1, 3);
}

} // namespace

// ---- end to end: a project made through the windows ----------------------------------------

#include "gateway/UDNet.h"
#include "gateway/UIOLinkSlave.h"
#include "gateway/UIOLinkSlaveIODD.h"
#include "gateway/UIOLinkSlaveTables.h"
#include "gateway/UParGen.h"
#include "gateway/USaveBincc.h"

#include <QComboBox>
#include <QDate>

namespace {

TEST(ProjectThroughTheWindows, GivesTheImageAndIODDOfTheHandMadeProject)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    common::Load_Default_Texts();
    common::TProgramState& state = common::State();
    const common::TProgramState saved = state;
    state.Project_Dir = dir.filePath(QStringLiteral("made"));
    ASSERT_TRUE(QDir().mkpath(state.Project_Dir + QStringLiteral("/bin")));
    common::Set_Files(state);
    testsupport::FakeMessages messages;
    platform::Services services;
    services.messages = &messages;

    {
        gateway::TFParGen w(services);
        testsupport::TableWindowDriver user(w, messages);
        user.open();
        w.CB_IOLink_Slave_Baudrate->setCurrentIndex(1); // COM2
        w.CB_DeviceNet_Master_Baudrate->setCurrentIndex(1);
        user.press(*w.Btn_OK);
        ASSERT_EQ(w.result(), 1) << messages.lastText().toStdString();
    }
    {
        gateway::TFDNet w(services);
        testsupport::TableWindowDriver user(w, messages);
        user.open();
        user.setRow(*w.QSG, 1, {"5", "4", "2", "Valve island"});
        user.setRow(*w.QSG, 2, {"7", "2", "0", "Drive"});
        user.press(*w.Btn_OK);
        ASSERT_EQ(w.result(), 1) << messages.lastText().toStdString();
    }
    {
        TFDefOffset w(services);
        testsupport::TableWindowDriver user(w, messages);
        user.open();
        w.ACG_ByteIN->SetCells(1, 2, QStringLiteral("0"));
        w.ACG_ByteIN->SetCells(1, 4, QStringLiteral("10"));
        w.ACG_ByteOUT->SetCells(1, 1, QStringLiteral("4"));
        w.ACG_DN_Slaves->SetRow(2);
        w.ACG_ByteIN->SetCells(1, 1, QStringLiteral("20"));
        w.ACG_ByteIN->SetCells(1, 2, QStringLiteral("21"));
        user.press(*w.Btn_OK);
        ASSERT_EQ(w.result(), 1) << messages.lastText().toStdString();
    }
    {
        gateway::TFIOLinkSlave w(services);
        testsupport::TableWindowDriver user(w, messages);
        user.open();
        user.setRow(*w.ACG_ProcessData_In, 1, {"Y", "In", "16", "1", "0", "1000"});
        user.setRow(*w.ACG_ProcessData_In, 2, {"N", "Off", "8", "1", "0", "1000"});
        user.setRow(*w.ACG_ProcessData_Out, 1, {"Y", "Out", "16", "1", "0", "1000"});
        const QStringList vars[] = {
            {"Y", "100", "V1", "Read Only", "16", "1", "0", "1000", "1000", "2", "0", "2", "0"},
            {"y", "101", "V2", "Write Only", "8", "1", "0", "1000", "-1", "4", "3", "5", "7"},
            {"N", "102", "V3", "Read Only", "8", "1", "0", "1000", "0", "8", "0", "8", "0"},
            {"Y", "65535", "V4", "Read Write", "32", "1", "0", "1000", "70000", "6", "1", "7", "2"},
            {" Y", "103", "V5", "Read Only", "8", "1", "0", "1000", "0", "9", "0", "9", "0"},
            {"Y", "200", "V6", "read only", "1", "1", "0", "1000", "0", "10", "0", "10", "0"},
        };
        for (int r = 0; r < 6; ++r)
            user.setRow(*w.ACG_Variable, r + 1, vars[r]);
        user.press(*w.Btn_OK);
        ASSERT_EQ(w.result(), 1) << messages.lastText().toStdString();
    }
    EXPECT_TRUE(messages.shown.empty()) << messages.lastText().toStdString();

    gateway::TSaveBincc made(state);
    ASSERT_FALSE(made.Compile_Bin().has_value());

    common::TProgramState handState;
    handState.Project_Dir = dir.filePath(QStringLiteral("hand"));
    ASSERT_TRUE(QDir().mkpath(handState.Project_Dir + QStringLiteral("/bin")));
    common::Set_Files(handState);
    for (const char* f : {"ParGen.xml", "DNETM_Net.xml", "DNETM_DefOff.xml", "IOLink_Slave.xml"})
        ASSERT_TRUE(testsupport::writeFile(
            handState.Project_Dir + QLatin1Char('/') + QLatin1String(f),
            testsupport::readFile(testsupport::fixturePath(QStringLiteral("gateway/two_slaves/") + QLatin1String(f)))));
    gateway::TSaveBincc hand(handState);
    ASSERT_FALSE(hand.Compile_Bin().has_value());

    EXPECT_EQ(made.Bank2_Image.size(), 16412 + 20 * 4);
    EXPECT_EQ(made.Bank2_Image, hand.Bank2_Image);

    // The IODD description of both projects is the same document too.
    gateway::TIODD_Data madeData, handData;
    ASSERT_TRUE(gateway::Read_IOLink_Data(madeData, state.File_ParGen, state.File_IOLink_Slave));
    ASSERT_TRUE(gateway::Read_IOLink_Data(handData, handState.File_ParGen, handState.File_IOLink_Slave));
    const QDate day(2026, 12, 10);
    const QByteArray iodd = gateway::IODD_Document(madeData, day, QString());
    EXPECT_FALSE(iodd.isEmpty());
    EXPECT_EQ(iodd, gateway::IODD_Document(handData, day, QString()));
    state = saved;
}

} // namespace

namespace {

TEST_F(DefOffsetWindow, ALanguageChangeRenewsCaptionsLabelsAndHeaders)
{
    user->open();
    common::Lang_Str()[3200] = QStringLiteral("Definisci offset");
    common::Lang_Str()[3207] = QStringLiteral("Byte uscita");
    common::Lang_Str()[3210] = QStringLiteral("Scegli \"None\"");
    common::Lang_Str()[3219] = QStringLiteral("Posizione");
    w->Set_Lang();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Definisci offset"));
    EXPECT_EQ(w->PageControl1->tabText(1), QStringLiteral("Byte uscita"));
    EXPECT_EQ(w->Label3->text(), QStringLiteral("Scegli \"None\""));
    EXPECT_EQ(w->ACG_ByteOUT->Cells(1, 0), QStringLiteral("Posizione"));
    EXPECT_EQ(w->ACG_DN_Slaves->Cells(3, 0), QStringLiteral("Mnemonic"));
}

} // namespace
