// The EtherCAT slave variable table on its two sheets: where the position rule puts each
// variable, the length a type gives, positions following every change at once, the String
// length refused on OK, a loaded file with its missing attributes and the file OK writes,
// the row buttons with their check boxes, read-only flags and one copy flag per grid.

#include "protocols/fieldbus/ethercat/UEtherCATSlave.h"

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
#include <QFile>
#include <QImage>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <optional>

namespace {

using fieldbus::TFEtherCATSlave;
using testsupport::TableWindowDriver;
namespace col = fieldbus::ethercat_col;

class EtherCATSlave : public testsupport::TableWindowTest<TFEtherCATSlave> {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        Start(&common::TProgramState::File_EtherCAT_Slave, "EtherCAT_Slave.xml");
    }

    QByteArray fixture(const char* name) const
    {
        return testsupport::readFile(testsupport::fixturePath(QStringLiteral("ethercat/") + QLatin1String(name)));
    }

    grid::TQvStringGrid& stm() const { return *w->QSG_SlaveMaster; }
    grid::TQvStringGrid& mts() const { return *w->QSG_MasterSlave; }

    // A variable put in as loading would: enable box, Type, Length.
    static void setVar(grid::TQvStringGrid& g, int row, bool enabled, const QString& type, const QString& length)
    {
        g.SetCheckBoxState(col::Enable, row, enabled);
        g.SetCells(col::Type, row, type);
        g.SetCells(col::Length, row, length);
    }

    // "position/start bit" of the row in the Slave To Master grid.
    QString placeStm(int row) const
    {
        return stm().Cells(col::Position_StM, row) + QLatin1Char('/') + stm().Cells(col::Start_Bit_StM, row);
    }
    QString placeMts(int row) const
    {
        return mts().Cells(col::Position_MtS, row) + QLatin1Char('/') + mts().Cells(col::Start_Bit_MtS, row);
    }
};

TEST_F(EtherCATSlave, TwoPlainGridsWithCheckBoxesAndComputedColumns)
{
    open();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("EtherCAT Slave Set Access"));
    EXPECT_EQ(w->size(), QSize(1200, 337));
    EXPECT_EQ(w->PageControl1->tabText(0), QStringLiteral("Slave To Master"));
    EXPECT_EQ(w->PageControl1->tabText(1), QStringLiteral("Master To Slave"));
    EXPECT_EQ(w->PageControl1->currentWidget(), w->TS_SlaveToMaster);
    // Plain string grids: not the column grid.
    EXPECT_EQ(qobject_cast<grid::TQvColumnGrid*>(&stm()), nullptr);
    EXPECT_EQ(stm().ColCount(), 9);
    EXPECT_EQ(mts().ColCount(), 8);
    for (grid::TQvStringGrid* g : {&stm(), &mts()}) {
        EXPECT_EQ(g->RowCount(), 257);
        EXPECT_EQ(g->Cells(0, 256), QStringLiteral("256"));
        bool checked = false;
        EXPECT_TRUE(g->GetCheckBoxState(col::Enable, 256, checked));
        EXPECT_TRUE(checked);
        EXPECT_FALSE(g->GetReadOnly(col::Length, 1));
    }
    EXPECT_TRUE(stm().GetReadOnly(col::Position_StM, 1));
    EXPECT_TRUE(stm().GetReadOnly(col::Start_Bit_StM, 256));
    EXPECT_FALSE(stm().GetReadOnly(col::Init_Value, 1));
    EXPECT_TRUE(mts().GetReadOnly(col::Position_MtS, 1));
    EXPECT_FALSE(mts().GetReadOnly(col::Mnemonic_MtS, 1));
    EXPECT_EQ(stm().Cells(col::Init_Value, 0), QStringLiteral("Init Value"));
    EXPECT_EQ(mts().Cells(col::Position_MtS, 0), QStringLiteral("Position"));
    EXPECT_EQ(w->VarType,
              QStringList({"Bool", "Int8", "Int16", "Int32", "UInt8", "UInt16", "UInt32", "Float32", "String"}));
    EXPECT_EQ(w->Hint_MtS().value(1), QStringLiteral("Select the Type of EtherCAT Slave Variable"));
    // Only Copy Row and Paste Row show their hints.
    EXPECT_TRUE(w->Btn_OK->toolTip().isEmpty());
    EXPECT_TRUE(w->Btn_DelRow->toolTip().isEmpty());
    EXPECT_EQ(w->Btn_CopyRow->toolTip(), QStringLiteral("Copy all Fields of the Selected Row"));
    EXPECT_EQ(w->Btn_PasteRow->toolTip(), QStringLiteral("Paste the Copied Fields in the Selected Row"));
}

TEST_F(EtherCATSlave, PositionsFollowTheTypesInOrder)
{
    struct Var {
        bool enabled;
        const char* type;
        const char* length;
    };
    struct Case {
        const char* what;
        std::vector<Var> rows;
        QStringList places; // "position/start bit" from row 1
    };
    const Var kBool{true, "Bool", "1"};
    const std::vector<Var> nineBools(9, kBool);
    std::vector<Var> eightBoolsThenFloat(8, kBool);
    eightBoolsThenFloat.push_back({true, "Float32", "4"});
    const Case cases[] = {
        {"eight Bools share a byte, a ninth starts the next",
         nineBools,
         {"0/0", "0/1", "0/2", "0/3", "0/4", "0/5", "0/6", "0/7", "1/0"}},
        {"the variable after eight Bools starts one byte later",
         eightBoolsThenFloat,
         {"0/0", "0/1", "0/2", "0/3", "0/4", "0/5", "0/6", "0/7", "1/0"}},
        {"Bool then Int16", {kBool, {true, "Int16", "2"}, {true, "Int8", "1"}}, {"0/0", "1/0", "3/0"}},
        {"three Bools then Float32", {kBool, kBool, kBool, {true, "Float32", "4"}}, {"0/0", "0/1", "0/2", "1/0"}},
        {"a disabled Bool neither ends nor advances the run",
         {kBool, {false, "Bool", "1"}, kBool, {true, "UInt16", "2"}},
         {"0/0", "0/0", "0/1", "1/0"}},
        {"a disabled Int32 takes no room", {{true, "Int32", "4"}, {false, "Int32", "4"}, kBool}, {"0/0", "0/0", "4/0"}},
        {"String 20 advances 20", {{true, "String", "20"}, {true, "UInt32", "4"}, kBool}, {"0/0", "20/0", "24/0"}},
        {"the Type is trimmed", {{true, " Bool ", "1"}, {true, "Bool", "1"}}, {"0/0", "0/1"}},
        {"other types advance by their Length, 0 when it is no number",
         {{true, "ByteString", "3"}, {true, "Other", "x"}, {true, "Int8", ""}, kBool},
         {"0/0", "3/0", "3/0", "4/0"}},
        {"fixed types keep their size whatever the Length says", {{true, "Int16", "9"}, kBool}, {"0/0", "2/0"}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        open();
        for (size_t i = 0; i < k.rows.size(); ++i) {
            const Var& v = k.rows[i];
            setVar(stm(), int(i) + 1, v.enabled, QLatin1String(v.type), QLatin1String(v.length));
            setVar(mts(), int(i) + 1, v.enabled, QLatin1String(v.type), QLatin1String(v.length));
        }
        w->Calc_Position_Bit(&stm(), true);
        w->Calc_Position_Bit(&mts(), false);
        QStringList shownStm, shownMts;
        for (int row = 1; row <= int(k.places.size()); ++row) {
            shownStm << placeStm(row);
            shownMts << placeMts(row);
        }
        EXPECT_EQ(shownStm, k.places);
        EXPECT_EQ(shownMts, k.places);
    }
}

TEST_F(EtherCATSlave, AnEmptyTypeEndsTheTable)
{
    open();
    for (int row = 1; row <= 6; ++row)
        setVar(stm(), row, true, QStringLiteral("Int8"), QStringLiteral("1"));
    stm().SetCells(col::Type, 5, QStringLiteral("  "));
    stm().SetCells(col::Position_StM, 6, QStringLiteral("old"));
    w->Calc_Position_Bit(&stm(), true);
    EXPECT_EQ(placeStm(4), QStringLiteral("3/0"));
    EXPECT_EQ(placeStm(5), QStringLiteral("/"));
    EXPECT_EQ(placeStm(6), QStringLiteral("old/"));
}

// A row whose type was emptied holds nothing the table computed for it, so OK judges the rows
// below it: nothing below saves, a filled row below is refused naming the emptied row.
TEST_F(EtherCATSlave, AnEmptiedTypeClearsItsRowAndOKJudgesTheRowsBelow)
{
    struct Case {
        const char* name;
        bool filledBelow;
    };
    for (const Case& c : {Case{"nothing below", false}, Case{"a filled row below", true}}) {
        SCOPED_TRACE(c.name);
        messages.shown.clear();
        QFile::remove(path());
        open();
        user->activate();
        user->pick(stm(), col::Type, 1, QStringLiteral("Int16"));
        user->pick(stm(), col::Type, 2, QStringLiteral("Bool"));
        if (c.filledBelow)
            user->pick(stm(), col::Type, 3, QStringLiteral("Int8"));
        QCoreApplication::processEvents();
        ASSERT_EQ(placeStm(2), QStringLiteral("2/0"));
        ASSERT_TRUE(stm().GetReadOnly(col::Length, 2));
        // The type cut from row 2, as Shift+Delete leaves it.
        stm().SetCells(col::Type, 2, QString());
        w->Calc_Position_Bit(&stm(), true);
        EXPECT_EQ(placeStm(2), QStringLiteral("/"));
        EXPECT_EQ(stm().Cells(col::Length, 2), QString());
        EXPECT_FALSE(stm().GetReadOnly(col::Length, 2));
        user->press("Btn_OK");
        if (c.filledBelow) {
            EXPECT_EQ(user->lastMessage(), common::Lang_Text(3351) + QStringLiteral("2")
                                               + common::Lang_Text(tables::kText_Empty_Key_Above_Rows));
            EXPECT_FALSE(QFile::exists(path()));
        } else {
            EXPECT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
            ASSERT_TRUE(QFile::exists(path()));
            const QByteArray saved = testsupport::readFile(path());
            EXPECT_EQ(saved.count("<row "), 1) << saved.constData();
        }
    }
}

TEST_F(EtherCATSlave, APickedTypeSetsTheLengthAndATypedLengthMovesTheRowsBelowAtOnce)
{
    open();
    user->activate();
    user->pick(stm(), col::Type, 1, QStringLiteral("String"));
    EXPECT_EQ(stm().Cells(col::Type, 1), QStringLiteral("String"));
    EXPECT_EQ(stm().Cells(col::Length, 1), QStringLiteral("10"));
    EXPECT_FALSE(stm().GetReadOnly(col::Length, 1));
    user->pick(stm(), col::Type, 2, QStringLiteral("UInt16"));
    EXPECT_EQ(stm().Cells(col::Length, 2), QStringLiteral("2"));
    EXPECT_TRUE(stm().GetReadOnly(col::Length, 2));
    user->type(stm(), col::Type, 3, QStringLiteral("Bool"));
    EXPECT_EQ(stm().Cells(col::Length, 3), QStringLiteral("1"));
    EXPECT_TRUE(stm().GetReadOnly(col::Length, 3));
    QCoreApplication::processEvents();
    EXPECT_EQ(placeStm(2), QStringLiteral("10/0"));
    EXPECT_EQ(placeStm(3), QStringLiteral("12/0"));

    user->type(stm(), col::Length, 1, QStringLiteral("20"));
    QCoreApplication::processEvents();
    EXPECT_EQ(stm().Cells(col::Length, 1), QStringLiteral("20"));
    EXPECT_EQ(placeStm(2), QStringLiteral("20/0"));
    EXPECT_EQ(placeStm(3), QStringLiteral("22/0"));

    // Unticking a box moves the rows below too.
    user->clickCell(stm(), col::Enable, 1);
    bool checked = true;
    ASSERT_TRUE(stm().GetCheckBoxState(col::Enable, 1, checked));
    EXPECT_FALSE(checked);
    EXPECT_EQ(placeStm(2), QStringLiteral("0/0"));
    EXPECT_EQ(placeStm(3), QStringLiteral("2/0"));

    // A fixed type's Length cannot be typed into.
    user->clickCell(stm(), col::Length, 2);
    stm().ShowEditor();
    EXPECT_FALSE(stm().EditorMode());
}

TEST_F(EtherCATSlave, AnEnabledStringNeedsALengthOfAtLeastOneOnOK)
{
    struct Case {
        const char* length;
        bool enabled;
        bool refused;
    } cases[] = {
        {"0", true, true},   {"-5", true, true}, {"", true, true},      {"x", true, true},
        {"20 ", true, true}, {"1", true, false}, {"0x14", true, false}, {"0", false, false},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.length);
        messages.shown.clear();
        QFile::remove(path());
        open();
        setVar(mts(), 1, true, QStringLiteral("Int8"), QStringLiteral("1"));
        setVar(mts(), 2, k.enabled, QStringLiteral("String"), QLatin1String(k.length));
        user->press("Btn_OK");
        if (k.refused) {
            EXPECT_EQ(user->lastMessage(), QStringLiteral("Error row 2!! The Length of a String variable must be at "
                                                          "least 1"));
            EXPECT_FALSE(QFile::exists(path()));
            EXPECT_TRUE(w->isVisible());
        } else {
            EXPECT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
            EXPECT_TRUE(QFile::exists(path()));
            EXPECT_EQ(user->result(), TFEtherCATSlave::kModalOK);
        }
    }
}

TEST_F(EtherCATSlave, MissingAttributesTakeTheirDefaultsAndOKWritesEveryRowWithFreshPositions)
{
    ASSERT_TRUE(testsupport::writeFile(path(), fixture("EtherCAT_Slave_sparse.xml")));
    open();
    EXPECT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
    bool checked = false;
    ASSERT_TRUE(stm().GetCheckBoxState(col::Enable, 2, checked));
    EXPECT_TRUE(checked); // no "Enable"
    ASSERT_TRUE(stm().GetCheckBoxState(col::Enable, 3, checked));
    EXPECT_FALSE(checked); // "N"
    ASSERT_TRUE(stm().GetCheckBoxState(col::Enable, 4, checked));
    EXPECT_TRUE(checked); // "yes"
    EXPECT_EQ(stm().Cells(col::Init_Value, 1), QString());
    EXPECT_EQ(stm().Cells(col::Init_Value, 3), QStringLiteral("5"));
    EXPECT_EQ(placeStm(1), QStringLiteral("0/0")); // the stored 7/7 is recomputed
    EXPECT_EQ(placeStm(5), QStringLiteral("21/0"));
    // The file's Length replaces the type's; the lock stays the type's.
    EXPECT_EQ(stm().Cells(col::Length, 4), QStringLiteral("20"));
    EXPECT_FALSE(stm().GetReadOnly(col::Length, 4));
    EXPECT_EQ(mts().Cells(col::Length, 2), QString());
    EXPECT_TRUE(mts().GetReadOnly(col::Length, 2));
    EXPECT_EQ(stm().Cells(col::Type, 6), QString());

    user->press("Btn_OK");
    EXPECT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
    EXPECT_EQ(user->result(), TFEtherCATSlave::kModalOK);
    EXPECT_EQ(testsupport::readFile(path()), fixture("EtherCAT_Slave_saved.xml"));
}

TEST_F(EtherCATSlave, AFileWithoutItsSectionsShowsEmptyTables)
{
    for (const char* xml : {"<EtherCAT_Slave />", "<EtherCAT_Slave><EtherCAT_Slave_Variables /></EtherCAT_Slave>"}) {
        SCOPED_TRACE(xml);
        ASSERT_TRUE(testsupport::writeFile(path(), xml));
        open();
        EXPECT_EQ(user->messageCount(), 0u);
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(stm().Cells(col::Type, 1), QString());
        EXPECT_EQ(mts().Cells(col::Type, 1), QString());
    }
}

TEST_F(EtherCATSlave, CancelWritesNothing)
{
    open();
    setVar(stm(), 1, true, QStringLiteral("Bool"), QStringLiteral("1"));
    user->press("Btn_Cancel");
    EXPECT_EQ(user->result(), TFEtherCATSlave::kModalCancel);
    EXPECT_FALSE(QFile::exists(path()));
}

TEST_F(EtherCATSlave, PastedRowsTakeTheirTypesLengthAndCopiesStayInTheirGrid)
{
    open();
    setVar(stm(), 1, false, QStringLiteral("String"), QStringLiteral("20"));
    stm().SetCells(col::Name, 1, QStringLiteral("Tag"));
    setVar(stm(), 2, true, QStringLiteral("Int32"), QStringLiteral("4"));
    user->clickCell(stm(), col::Name, 1);
    user->press("Btn_CopyRow");
    EXPECT_TRUE(w->Do_Copy_StM());
    EXPECT_FALSE(w->Do_Copy_MtS());

    user->clickCell(stm(), col::Name, 3);
    user->press("Btn_PasteRow");
    EXPECT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
    EXPECT_EQ(stm().Cells(col::Name, 3), QStringLiteral("Tag"));
    EXPECT_EQ(stm().Cells(col::Length, 3), QStringLiteral("10"));
    bool checked = true;
    ASSERT_TRUE(stm().GetCheckBoxState(col::Enable, 3, checked));
    EXPECT_FALSE(checked);
    EXPECT_EQ(placeStm(2), QStringLiteral("0/0"));
    EXPECT_EQ(placeStm(3), QStringLiteral("0/0"));

    // The other grid refuses it.
    user->clickCell(mts(), col::Name, 1);
    EXPECT_EQ(w->PageControl1->currentWidget(), w->TS_MasterToSlave);
    user->press("Btn_PasteRow");
    EXPECT_EQ(user->lastMessage(), QStringLiteral("Error!!! Copy a valid row before Paste it"));
    EXPECT_EQ(mts().Cells(col::Name, 1), QString());

    // A used row is overwritten only on Yes; a No keeps its Length.
    user->clickCell(stm(), col::Name, 2);
    messages.answers = {platform::MsgResult::No};
    setVar(stm(), 2, true, QStringLiteral("String"), QStringLiteral("30"));
    user->press("Btn_PasteRow");
    EXPECT_EQ(user->lastMessage(), QStringLiteral("Row Already used. Do you want to overwrite the values?"));
    EXPECT_EQ(stm().Cells(col::Length, 2), QStringLiteral("30"));
}

TEST_F(EtherCATSlave, DeleteAndInsertMoveChecksAndLocksAndRecomputePositions)
{
    open();
    setVar(stm(), 1, true, QStringLiteral("Int16"), QStringLiteral("2"));
    setVar(stm(), 2, false, QStringLiteral("String"), QStringLiteral("5"));
    setVar(stm(), 3, true, QStringLiteral("Bool"), QStringLiteral("1"));
    stm().SetCells(col::Name, 3, QStringLiteral("last"));
    w->Calc_Position_Bit(&stm(), true);
    stm().GetCellProperties(col::Length, 1)->FReadOnly = true;
    ASSERT_EQ(placeStm(3), QStringLiteral("2/0"));

    user->clickCell(stm(), col::Name, 1);
    messages.answers = {platform::MsgResult::No};
    user->press("Btn_DelRow");
    EXPECT_EQ(user->lastMessage(), QStringLiteral("Are you sure to delete the Row number 1"));
    EXPECT_EQ(stm().Cells(col::Type, 1), QStringLiteral("Int16"));

    messages.answers = {platform::MsgResult::Yes};
    user->press("Btn_DelRow");
    EXPECT_EQ(stm().Cells(col::Type, 1), QStringLiteral("String"));
    EXPECT_FALSE(stm().GetReadOnly(col::Length, 1));
    bool checked = true;
    ASSERT_TRUE(stm().GetCheckBoxState(col::Enable, 1, checked));
    EXPECT_FALSE(checked);
    EXPECT_EQ(placeStm(2), QStringLiteral("0/0"));
    // The emptied last row is checked.
    ASSERT_TRUE(stm().GetCheckBoxState(col::Enable, 256, checked));
    EXPECT_TRUE(checked);

    // Insert above the Bool: the rows move down, the new row is checked and editable but its
    // computed cells stay locked, and the rows above it are placed at once.
    user->clickCell(stm(), col::Name, 2);
    user->press("Btn_InsRow");
    EXPECT_EQ(stm().Cells(col::Name, 3), QStringLiteral("last"));
    EXPECT_EQ(stm().Cells(col::Type, 2), QString());
    ASSERT_TRUE(stm().GetCheckBoxState(col::Enable, 2, checked));
    EXPECT_TRUE(checked);
    EXPECT_FALSE(stm().GetReadOnly(col::Length, 2));
    EXPECT_TRUE(stm().GetReadOnly(col::Position_StM, 2));
    // The gap above a filled row is refused on OK.
    user->press("Btn_OK");
    EXPECT_EQ(user->lastMessage(),
              QStringLiteral("Error row 2!! This row is empty but rows below it are filled: fill it in or delete it, "
                             "or the rows below would not be saved"));
    EXPECT_FALSE(QFile::exists(path()));
}

TEST_F(EtherCATSlave, ALanguageChangeWritesTheMasterToSlaveHeadersOfItsOwn)
{
    common::Lang_Str()[3338] = QStringLiteral("Tipo");
    common::Lang_Str()[3316] = QStringLiteral("Tipo SM");
    common::Lang_Str()[3335] = QStringLiteral("Da master a slave");
    w->Set_Lang();
    EXPECT_EQ(mts().Cells(col::Type, 0), QStringLiteral("Tipo"));
    EXPECT_EQ(stm().Cells(col::Type, 0), QStringLiteral("Tipo SM"));
    EXPECT_EQ(w->PageControl1->tabText(1), QStringLiteral("Da master a slave"));
}

TEST_F(EtherCATSlave, Screenshot)
{
    ASSERT_TRUE(testsupport::writeFile(path(), fixture("EtherCAT_Slave_sparse.xml")));
    open();
    user->checkTablePicture(QStringLiteral("windows/EtherCATSlave_window.png"), QSize(1200, 337), stm(), 2, 1);
}

} // namespace
