// The IO-Link slave tables: positions and start bits, the Length fill-ins, every validation
// rule with its exact message (first error only), the variable-end and duplicate-index rules,
// and the tables' move to and from "IOLink_Slave.xml" (compared byte for byte with a fixture).

#include "gateway/UIOLinkSlaveTables.h"

#include "common/UComonHelpers.h"
#include "common/UComonRows.h"
#include "common/UComonState.h"
#include "common/ULanguage.h"

#include "support/FakeMessages.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <QHelpEvent>
#include <QToolTip>

#include <functional>

using common::TTextTable;
using namespace gateway;

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}
QT_END_NAMESPACE

namespace {

struct Tables {
    TTextTable in{QStringLiteral("in"), pd_col::Count, kIOLink_Data_Rows + 1};
    TTextTable out{QStringLiteral("out"), pd_col::Count, kIOLink_Data_Rows + 1};
    TTextTable var{QStringLiteral("var"), var_col::Count, kIOLink_Data_Rows + 1};

    Tables()
    {
        Reset_Table(in);
        Reset_Table(out);
        Reset_Table(var);
    }

    static void pdRow(TTextTable& t, int row, const char* enable, const char* name, const char* length)
    {
        t.SetCells(pd_col::Enable, row, QLatin1String(enable));
        t.SetCells(pd_col::Name, row, QLatin1String(name));
        t.SetCells(pd_col::Length, row, QLatin1String(length));
        Length_Edited(t, row);
    }
    void varRow(int row, QStringList cells) // columns 1..13
    {
        for (int c = 1; c <= cells.size(); ++c)
            var.SetCells(c, row, cells[c - 1]);
    }
    std::optional<QString> check(QChar sep = common::Get_Decimal_Separator()) const
    {
        return Controllo_Dati(in, out, var, sep);
    }
};

// Valid tables: inputs of 3, 8 and 12 bits (23 bits, 3 bytes), one 16-bit output (2 bytes)
// and one variable placed right behind them.
void validTables(Tables& t)
{
    Tables::pdRow(t.in, 1, "Y", "In1", "3");
    Tables::pdRow(t.in, 2, "Y", "In2", "8");
    Tables::pdRow(t.in, 3, "Y", "In3", "12");
    Tables::pdRow(t.out, 1, "Y", "Out1", "16");
    t.varRow(1, {"Y", "60", "V1", "Read Write", "8", "0,5", "-3", "1000", "7", "3", "0", "2", "0"});
}

class IOLinkSlaveTables : public ::testing::Test {
protected:
    void SetUp() override { common::Load_Default_Texts(); }
};

TEST_F(IOLinkSlaveTables, PositionsFollowTheEnabledLengths)
{
    Tables t;
    validTables(t);
    const char* want[][2] = {{"0", "0"}, {"0", "3"}, {"1", "3"}};
    for (int r = 1; r <= 3; ++r) {
        EXPECT_EQ(t.in.Cells(pd_col::Position, r), QLatin1String(want[r - 1][0])) << r;
        EXPECT_EQ(t.in.Cells(pd_col::StartBit, r), QLatin1String(want[r - 1][1])) << r;
    }
    // Unticking row 1 keeps its own position and moves the rows below back by its 3 bits.
    t.in.SetCells(pd_col::Enable, 1, QStringLiteral("N"));
    t.in.SetCells(pd_col::Position, 1, QStringLiteral("9"));
    Compile_Pos_Bit(t.in);
    EXPECT_EQ(t.in.Cells(pd_col::Position, 1), QStringLiteral("9"));
    EXPECT_EQ(t.in.Cells(pd_col::Position, 2), QStringLiteral("0"));
    EXPECT_EQ(t.in.Cells(pd_col::StartBit, 2), QStringLiteral("0"));
    EXPECT_EQ(t.in.Cells(pd_col::Position, 3), QStringLiteral("1"));
    EXPECT_EQ(t.in.Cells(pd_col::StartBit, 3), QStringLiteral("0"));
    // A row without a Length is skipped and does not end the pass; " y " counts as enabled.
    t.in.SetCells(pd_col::Enable, 1, QStringLiteral(" y "));
    t.in.SetCells(pd_col::Length, 2, QString());
    Compile_Pos_Bit(t.in);
    EXPECT_EQ(t.in.Cells(pd_col::Position, 3), QStringLiteral("0"));
    EXPECT_EQ(t.in.Cells(pd_col::StartBit, 3), QStringLiteral("3"));
}

TEST_F(IOLinkSlaveTables, LengthEditFillsEmptyDefaultsOnly)
{
    Tables t;
    t.in.SetCells(pd_col::Gradient, 1, QStringLiteral("2"));
    Tables::pdRow(t.in, 1, "Y", "A", "8");
    EXPECT_EQ(t.in.Cells(pd_col::Gradient, 1), QStringLiteral("2"));
    EXPECT_EQ(t.in.Cells(pd_col::Offset, 1), QStringLiteral("0"));
    EXPECT_EQ(t.in.Cells(pd_col::UnitCode, 1), QStringLiteral("1000"));
    // Editing a length moves the rows below at once.
    Tables::pdRow(t.in, 2, "Y", "B", "4");
    t.in.SetCells(pd_col::Length, 1, QStringLiteral("16"));
    Length_Edited(t.in, 1);
    EXPECT_EQ(t.in.Cells(pd_col::Position, 2), QStringLiteral("2"));
}

TEST_F(IOLinkSlaveTables, ValidTablesPass)
{
    Tables t;
    validTables(t);
    EXPECT_EQ(t.check(), std::nullopt);
    // A "." gradient is read with the user's separator too.
    t.var.SetCells(var_col::Gradient, 1, QStringLiteral("0.5"));
    EXPECT_EQ(t.check(QLatin1Char('.')), std::nullopt);
}

TEST_F(IOLinkSlaveTables, ValidationRulesInOrderWithTheirMessages)
{
    using Edit = std::function<void(Tables&)>;
    auto in = [](int col, int row, const char* v) {
        return Edit([=](Tables& t) { t.in.SetCells(col, row, QLatin1String(v)); });
    };
    auto out = [](int col, int row, const char* v) {
        return Edit([=](Tables& t) { t.out.SetCells(col, row, QLatin1String(v)); });
    };
    auto var = [](int col, int row, const char* v) {
        return Edit([=](Tables& t) { t.var.SetCells(col, row, QLatin1String(v)); });
    };
    struct Case {
        Edit edit;
        const char* message;
    } cases[] = {
        {in(pd_col::Name, 2, "  "), "Error row 2!! [Process Data Input] Name Cannot be Empty"},
        {in(pd_col::Length, 1, "257"), "Error row 1!! [Process Data Input] Length must be between 1 and 256"},
        {in(pd_col::Length, 3, "0"), "Error row 3!! [Process Data Input] Length must be between 1 and 256"},
        {in(pd_col::Length, 1, "8 "), "Error row 1!! [Process Data Input] Length must be between 1 and 256"},
        {in(pd_col::Gradient, 1, "abc"), "Error row 1!! [Process Data Input] Gradient must be a valid float value"},
        {in(pd_col::Offset, 1, "4294967296"),
         "Error row 1!! [Process Data Input] Offset must be a valid integer value"},
        {in(pd_col::Offset, 2, ""), "Error row 2!! [Process Data Input] Offset must be a valid integer value"},
        {in(pd_col::UnitCode, 1, "999"), "Error row 1!! [Process Data Input] Unit Code must be between 1000 and 65535"},
        {out(pd_col::Name, 1, ""), "Error row 1!! [Process Data Output] Name Cannot be Empty"},
        {out(pd_col::Length, 1, "x"), "Error row 1!! [Process Data Output] Length must be between 1 and 256"},
        {out(pd_col::Gradient, 1, ""), "Error row 1!! [Process Data Output] Gradient must be a valid float value"},
        {out(pd_col::Offset, 1, "1.5"), "Error row 1!! [Process Data Output] Offset must be a valid integer value"},
        {out(pd_col::UnitCode, 1, "65536"),
         "Error row 1!! [Process Data Output] Unit Code must be between 1000 and 65535"},
        {var(var_col::Index, 1, "59"), "Error row 1!! [Variables] Index must be between 60 and 65535"},
        {var(var_col::Index, 1, "65536"), "Error row 1!! [Variables] Index must be between 60 and 65535"},
        {var(var_col::Name, 1, " "), "Error row 1!! [Variables] Name Cannot be Empty"},
        {var(var_col::Access, 1, " "), "Error row 1!! [Variables] Access Cannot be Empty"},
        {var(var_col::Length, 1, "257"), "Error row 1!! [Variables] Length must be between 1 and 256"},
        {var(var_col::Gradient, 1, "x"), "Error row 1!! [Variables] Gradient must be a valid float value"},
        {var(var_col::Offset, 1, ""), "Error row 1!! [Variables] Offset must be a valid integer value"},
        {var(var_col::Offset, 1, "4294967296"), "Error row 1!! [Variables] Offset must be a valid integer value"},
        {var(var_col::UnitCode, 1, "70000"), "Error row 1!! [Variables] Unit Code must be between 1000 and 65535"},
        {var(var_col::DefaultValue, 1, ""), "Error row 1!! [Variables] Default Value must be a valid integer value"},
        {var(var_col::PositionRead, 1, "2"), "Error row 1!! [Variables] Position Read must be between 3 and  1399"},
        {var(var_col::PositionRead, 1, "1400"), "Error row 1!! [Variables] Position Read must be between 3 and  1399"},
        {var(var_col::StartBitRead, 1, " "), "Error row 1!! [Variables] Start Read Bit Cannot be Empty"},
        {var(var_col::PositionWrite, 1, "1"), "Error row 1!! [Variables] Position Write must be between 2 and 1399"},
        {var(var_col::StartBitWrite, 1, ""), "Error row 1!! [Variables] Start Write Bit Cannot be Empty"},
        // Only the first error is shown: the input table comes before the variables.
        {[](Tables& t) {
             t.var.SetCells(var_col::Name, 1, QString());
             t.in.SetCells(pd_col::UnitCode, 3, QStringLiteral("1"));
         },
         "Error row 3!! [Process Data Input] Unit Code must be between 1000 and 65535"},
    };
    for (const Case& k : cases) {
        Tables t;
        validTables(t);
        k.edit(t);
        EXPECT_EQ(t.check(), std::optional<QString>(QString::fromLatin1(k.message))) << k.message;
    }
}

TEST_F(IOLinkSlaveTables, AVariableMustEndInsideItsArea)
{
    struct Case {
        const char* posRead;
        const char* bitRead;
        const char* posWrite;
        const char* bitWrite;
        const char* length;
        const char* message; // nullptr: passes
    } cases[] = {
        {"1399", "0", "2", "0", "8", nullptr}, // last byte exactly
        {"1399", "0", "2", "0", "9",
         "Error row 1!! [Variables] The variable must end inside the read area: "
         "Position Read, Start Bit Read and Length reach past byte 1399"},
        {"1398", "7", "2", "0", "9", nullptr}, // 11184 + 7 + 9 = 11200
        {"1398", "7", "2", "0", "10",
         "Error row 1!! [Variables] The variable must end inside the read area: "
         "Position Read, Start Bit Read and Length reach past byte 1399"},
        {"3", "0", "1399", "1", "8",
         "Error row 1!! [Variables] The variable must end inside the write area: "
         "Position Write, Start Bit Write and Length reach past byte 1399"},
        // A position past the area keeps the bounds message.
        {"1400", "0", "2", "0", "1", "Error row 1!! [Variables] Position Read must be between 3 and  1399"},
        {"3", "0", "1368", "0", "256", nullptr}, // 10944 + 256 = 11200
    };
    for (const Case& k : cases) {
        Tables t;
        validTables(t);
        t.varRow(1, {"Y", "60", "V1", "Read Write", k.length, "1", "0", "1000", "0", k.posRead, k.bitRead, k.posWrite,
                     k.bitWrite});
        const auto want = k.message ? std::optional<QString>(QString::fromLatin1(k.message)) : std::nullopt;
        EXPECT_EQ(t.check(), want) << k.posRead << " " << k.posWrite << " " << k.length;
    }
}

// IO-Link carries at most 32 octets of process data per direction: the enabled rows' lengths
// may add up to 256 bits; the row that passes them is named. Disabled rows do not count, and
// each direction has its own sum.
TEST_F(IOLinkSlaveTables, ProcessDataFitTheThirtyTwoBytesOfIOLink)
{
    struct Row {
        const char* enable;
        const char* length;
    };
    struct Case {
        const char* name;
        std::vector<Row> in;
        std::vector<Row> out;
        const char* message; // nullptr: passes
    } cases[] = {
        {"256 bits in each direction", {{"Y", "256"}}, {{"Y", "200"}, {"Y", "56"}}, nullptr},
        {"one bit more in",
         {{"Y", "256"}, {"Y", "1"}},
         {},
         "Error row 2!! [Process Data Input] The enabled Process Data must not exceed 32 bytes, the most IO-Link "
         "carries"},
        {"one bit more out",
         {{"Y", "8"}},
         {{"Y", "128"}, {"N", "256"}, {"Y", "120"}, {"Y", "9"}},
         "Error row 4!! [Process Data Output] The enabled Process Data must not exceed 32 bytes, the most IO-Link "
         "carries"},
        {"disabled rows do not count", {{"Y", "250"}, {"N", "256"}, {"Y", "6"}}, {{"Y", "256"}}, nullptr},
    };
    for (const Case& c : cases) {
        Tables t;
        for (size_t i = 0; i < c.in.size(); ++i)
            Tables::pdRow(t.in, int(i) + 1, c.in[i].enable, "In", c.in[i].length);
        for (size_t i = 0; i < c.out.size(); ++i)
            Tables::pdRow(t.out, int(i) + 1, c.out[i].enable, "Out", c.out[i].length);
        t.varRow(1, {"Y", "60", "V1", "Read Write", "8", "1", "0", "1000", "0", "40", "0", "40", "0"});
        const auto want = c.message ? std::optional<QString>(QString::fromLatin1(c.message)) : std::nullopt;
        EXPECT_EQ(t.check(), want) << c.name;
    }
}

TEST_F(IOLinkSlaveTables, DuplicateIndexesOfEnabledVariables)
{
    const QStringList row = {"Y", "60", "V", "Read Only", "8", "1", "0", "1000", "0", "3", "0", "2", "0"};
    struct Case {
        const char* enable2;
        const char* index2;
        bool refused;
    } cases[] = {{"Y", "60", true}, {"Y", "0x3C", true}, {"N", "60", false}, {"Y", "61", false}};
    for (const Case& k : cases) {
        Tables t;
        validTables(t);
        QStringList second = row;
        second[0] = QLatin1String(k.enable2);
        second[1] = QLatin1String(k.index2);
        t.varRow(2, second);
        const auto want = k.refused ? std::optional<QString>(QStringLiteral(
                              "Error row 2!! [Variables] Index already used by another enabled Variable"))
                                    : std::nullopt;
        EXPECT_EQ(t.check(), want) << k.enable2 << " " << k.index2;
    }
    EXPECT_EQ(common::Lang_Str()[kText_Var_Duplicate_Index],
              QStringLiteral("!! [Variables] Index already used by another enabled Variable"));
}

TEST_F(IOLinkSlaveTables, RowsThatTakeNoPart)
{
    // A disabled row with invalid values passes; a row with a Name but no Length ends the
    // table, so the broken row below it is never checked.
    Tables t;
    validTables(t);
    t.in.SetCells(pd_col::Enable, 2, QStringLiteral("N"));
    t.in.SetCells(pd_col::Name, 2, QString());
    t.in.SetCells(pd_col::Length, 2, QStringLiteral("999"));
    t.in.SetCells(pd_col::Name, 4, QStringLiteral("No length"));
    Tables::pdRow(t.in, 5, "Y", "", "999");
    t.var.SetCells(var_col::PositionRead, 1, QStringLiteral("2")); // 3 + 12 bits: 2 bytes now
    EXPECT_EQ(t.check(), std::nullopt);
    EXPECT_EQ(Used_Rows(t.in, TIOLink_Table::ProcessDataInput), 3);

    // With no enabled process data the positions start at 0, and 1400 is refused as 0..1399.
    Tables empty;
    empty.varRow(1, {"Y", "60", "V1", "Read Write", "8", "1", "0", "1000", "0", "1400", "0", "0", "0"});
    EXPECT_EQ(empty.check(), std::optional<QString>(QStringLiteral(
                                 "Error row 1!! [Variables] Position Read must be between 0 and  1399")));
    empty.var.SetCells(var_col::PositionRead, 1, QStringLiteral("0"));
    EXPECT_EQ(empty.check(), std::nullopt);
}

// OK saves a table's rows down to the first empty key cell: a row there or below holding a
// value the user gave would be dropped, so OK is refused naming the row.
TEST_F(IOLinkSlaveTables, AnEmptyKeyCellAboveValuesIsRefused)
{
    const QString gapIn =
        QStringLiteral("Error row 4!! [Process Data Input] Length Cannot be Empty while this row or a row "
                       "below it holds values");
    const struct {
        const char* what;
        std::function<void(Tables&)> change;
        std::optional<QString> message;
    } cases[] = {
        {"valid tables", [](Tables&) {}, std::nullopt},
        {"a Name without Length", [](Tables& t) { t.in.SetCells(pd_col::Name, 4, QStringLiteral("No length")); },
         gapIn},
        {"an item below an empty row", [](Tables& t) { Tables::pdRow(t.in, 6, "Y", "Late", "8"); }, gapIn},
        {"fill-ins left by a cleared Length",
         [](Tables& t) {
             Tables::pdRow(t.in, 4, "Y", "", "8");
             t.in.SetCells(pd_col::Length, 4, QString());
         },
         gapIn},
        {"a Length of blanks", [](Tables& t) { t.in.SetCells(pd_col::Length, 4, QStringLiteral("  ")); }, gapIn},
        {"only Enable, Position and Start Bit below",
         [](Tables& t) {
             t.in.SetCells(pd_col::Enable, 5, QStringLiteral("N"));
             t.in.SetCells(pd_col::Position, 5, QStringLiteral("7"));
             t.in.SetCells(pd_col::StartBit, 5, QStringLiteral("1"));
         },
         std::nullopt},
        {"output mnemonic far below", [](Tables& t) { t.out.SetCells(pd_col::Mnemonic, 512, QStringLiteral("m")); },
         QStringLiteral("Error row 2!! [Process Data Output] Length Cannot be Empty while this row or a row below it "
                        "holds values")},
        {"variable below an inserted row",
         [](Tables& t) {
             t.varRow(3, {"Y", "61", "V2"});
         },
         QStringLiteral(
             "Error row 2!! [Variables] Index Cannot be Empty while this row or a row below it holds values")},
        {"a variable's Position Read counts",
         [](Tables& t) { t.var.SetCells(var_col::PositionRead, 2, QStringLiteral("9")); },
         QStringLiteral(
             "Error row 2!! [Variables] Index Cannot be Empty while this row or a row below it holds values")},
    };
    for (const auto& c : cases) {
        Tables t;
        validTables(t);
        c.change(t);
        EXPECT_EQ(Check_Dropped_Rows(t.in, t.out, t.var), c.message) << c.what;
    }
}

TEST_F(IOLinkSlaveTables, AccessTexts)
{
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {{"Read Only", "Read Only"}, {"Write Only", "Write Only"}, {"Read Write", "Read Write"},
                 {"read only", ""},          {" Read Only", ""},           {"", ""}};
    for (const Case& k : cases)
        EXPECT_EQ(Get_Var_Access(QLatin1String(k.in)), QLatin1String(k.out)) << k.in;
}

TEST_F(IOLinkSlaveTables, FileRowsShowWithTheirDefaults)
{
    TIOLink_Slave_File file;
    TIOLink_Var_Row v;
    v.Index = QStringLiteral("70");
    v.Access = QStringLiteral("read only");
    v.Mnemonic = QStringLiteral("M");
    file.Variables = {v};
    TIOLink_PD_Row p;
    p.Enable = QStringLiteral("N");
    p.Length = QStringLiteral("4");
    file.Process_Data_Output = std::vector<TIOLink_PD_Row>(kIOLink_Data_Rows + 3, p);
    Tables t;
    Show_IOLink_File(file, t.in, t.out, t.var);
    EXPECT_EQ(t.var.Cells(var_col::Enable, 1), QStringLiteral("Y")) << "a row without Enable shows Y";
    EXPECT_EQ(t.var.Cells(var_col::Index, 1), QStringLiteral("70"));
    EXPECT_EQ(t.var.Cells(var_col::Access, 1), QString()) << "access in another letter case";
    EXPECT_EQ(t.var.Cells(var_col::Name, 1), QString());
    EXPECT_EQ(t.var.Cells(var_col::Mnemonic, 1), QStringLiteral("M"));
    EXPECT_EQ(t.out.Cells(pd_col::Enable, kIOLink_Data_Rows), QStringLiteral("N"));
    EXPECT_EQ(t.in.Cells(pd_col::Enable, 1), QStringLiteral("Y")) << "a missing section stays reset";
    EXPECT_EQ(t.in.Cells(0, 7), QStringLiteral("7"));
}

TEST_F(IOLinkSlaveTables, TablesWrittenByteForByte)
{
    Tables t;
    validTables(t);
    t.in.SetCells(pd_col::Description, 1, QStringLiteral("Three bits"));
    t.in.SetCells(pd_col::Mnemonic, 3, QStringLiteral("A&B"));
    t.var.SetCells(var_col::Description, 1, QStringLiteral(" padded "));
    t.varRow(2, {"N", "61", "Spare", "", "x"});
    t.var.SetCells(var_col::Name, 4, QStringLiteral("after the end"));

    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("IOLink_Slave.xml"));
    ASSERT_TRUE(Write_IOLink_Slave_File(path, IOLink_File_From_Tables(t.in, t.out, t.var)));
    EXPECT_EQ(testsupport::readFile(path),
              testsupport::readFile(testsupport::fixturePath("iolink/IOLink_Slave_window.xml")));

    // Read back into fresh tables, the same rows come out again.
    TIOLink_Slave_File back;
    ASSERT_TRUE(Read_IOLink_Slave_File(path, back));
    Tables shown;
    Show_IOLink_File(back, shown.in, shown.out, shown.var);
    EXPECT_EQ(IOLink_File_From_Tables(shown.in, shown.out, shown.var), back);
}

} // namespace

// ---- the window, driven as a user drives it ------------------------------------------------

#include "gateway/UIOLinkSlave.h"

#include "common/GlyphButton.h"
#include "platform/Services.h"
#include "support/TableWindowDriver.h"
#include "support/TableWindowTest.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QTabWidget>
#include <QTest>

namespace {

using gateway::TFIOLinkSlave;
using platform::MsgResult;

class IOLinkSlaveWindow : public testsupport::TableWindowTest<TFIOLinkSlave> {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        common::State().Enable_Jump_Field_Tables = false;
        Start(&common::TProgramState::File_IOLink_Slave, "IOLink_Slave.xml");
    }
    void TearDown() override
    {
        w.reset();
        ProgramFolderTest::TearDown();
    }

    QByteArray written() const { return testsupport::readFile(path()); }
    void showInput()
    {
        w->PageControl1->setCurrentWidget(w->TS_ProcessData), w->PC_ProcessData->setCurrentWidget(w->TS_PD_Input);
    }
    void showVariables() { w->PageControl1->setCurrentWidget(w->TS_Variables); }
};

TEST_F(IOLinkSlaveWindow, TypedTablesAreSavedOnOK)
{
    user->open();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("IO-Link Slave Set Access"));
    EXPECT_EQ(w->ACG_Variable->Cells(2, 0), QStringLiteral("Index"));
    EXPECT_EQ(w->ACG_ProcessData_In->Cells(9, 0), QStringLiteral("Description"));
    EXPECT_EQ(w->ACG_ProcessData_In->Cells(0, 512), QStringLiteral("512"));
    EXPECT_EQ(w->ACG_ProcessData_In->Cells(1, 512), QStringLiteral("Y"));

    // Names first, then the lengths: each accepted Length places the rows and fills in the
    // row's Gradient, Offset and Unit Code.
    auto* in = w->ACG_ProcessData_In;
    const char* names[] = {"In1", "In2", "In3"};
    const char* lengths[] = {"3", "8", "12"};
    for (int r = 1; r <= 3; ++r) {
        user->type(*in, pd_col::Name, r, QLatin1String(names[r - 1]));
        user->type(*in, pd_col::Length, r, QLatin1String(lengths[r - 1]));
    }
    user->type(*in, pd_col::Description, 1, QStringLiteral("Three bits"));
    user->type(*in, pd_col::Mnemonic, 3, QStringLiteral("A&B"));
    EXPECT_EQ(in->Cells(pd_col::Position, 3), QStringLiteral("1"));
    EXPECT_EQ(in->Cells(pd_col::StartBit, 3), QStringLiteral("3"));
    EXPECT_EQ(in->Cells(pd_col::UnitCode, 2), QStringLiteral("1000"));

    user->type(*w->ACG_ProcessData_Out, pd_col::Name, 1, QStringLiteral("Out1"));
    user->type(*w->ACG_ProcessData_Out, pd_col::Length, 1, QStringLiteral("16"));
    showVariables();
    const QStringList v1 = {"Y",    "60", "V1", "Read Write", "8", "0,5", "-3",
                            "1000", "7",  "3",  "0",          "2", "0",   " padded "};
    for (int c = var_col::Index; c <= var_col::Description; ++c)
        user->type(*w->ACG_Variable, c, 1, v1[c - 1]);
    EXPECT_EQ(w->ACG_Variable->Cells(var_col::Access, 1), QStringLiteral("Read Write"));
    user->setRow(*w->ACG_Variable, 2, {"N", "61", "Spare", "", "x"});

    user->press(*w->Btn_OK);
    EXPECT_TRUE(messages.shown.empty()) << messages.lastText().toStdString();
    EXPECT_EQ(w->result(), TFIOLinkSlave::kModalOK);
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(written(), testsupport::readFile(testsupport::fixturePath("iolink/IOLink_Slave_window.xml")));
}

TEST_F(IOLinkSlaveWindow, AnInvalidRowShowsItsMessageAndNothingIsWritten)
{
    user->open();
    user->setRow(*w->ACG_Variable, 1,
                 {"Y", "60", "V1", "Read Only", "8", "1", "0", "1000", "0", "1400", "0", "0", "0"});
    user->press(*w->Btn_OK);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              QStringLiteral("Error row 1!! [Variables] Position Read must be between 0 and  1399"));
    EXPECT_EQ(messages.shown[0].icon, platform::MsgIcon::Error);
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(QFile::exists(path()));

    // Cancel closes with 2 and writes nothing either.
    user->press(*w->Btn_Cancel);
    EXPECT_EQ(w->result(), TFIOLinkSlave::kModalCancel);
    EXPECT_FALSE(QFile::exists(path()));
}

// Insert Row makes a row with an empty Index; OK then refuses rather than drop the variables
// below it, and the file stays as it was.
TEST_F(IOLinkSlaveWindow, InsertThenOKKeepsTheRowsBelow)
{
    const QByteArray old = testsupport::readFile(testsupport::fixturePath("iolink/IOLink_Slave_window.xml"));
    ASSERT_TRUE(testsupport::writeFile(path(), old));
    user->open();
    showVariables();
    w->ACG_Variable->SetCol(var_col::Index);
    w->ACG_Variable->SetRow(1);
    user->press(*w->Btn_InsRow);
    EXPECT_EQ(w->ACG_Variable->Cells(var_col::Index, 1), QString());
    EXPECT_EQ(w->ACG_Variable->Cells(var_col::Index, 2), QStringLiteral("60"));
    user->press(*w->Btn_OK);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              QStringLiteral(
                  "Error row 1!! [Variables] Index Cannot be Empty while this row or a row below it holds values"));
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(written(), old);
}

// A file of 600 variables: the table shows 512 and says so; OK drops the rest only after Yes.
TEST_F(IOLinkSlaveWindow, AFileWithMoreRowsThanTheTableAsksBeforeDroppingThem)
{
    QByteArray file = "<IOLinkSlave><Variables>";
    for (int i = 0; i < 600; ++i)
        file += "<row Enable=\"Y\" Index=\"" + QByteArray::number(60 + i)
                + "\" Name=\"V\" Access=\"Read Only\" "
                  "Length=\"1\" Gradient=\"1\" Offset=\"0\" UnitCode=\"1000\" DefaultValue=\"0\" PositionRead=\"0\" "
                  "StartBitRead=\"0\" PositionWrite=\"0\" StartBitWrite=\"0\" Description=\"\" Mnemonic=\"\" />";
    file += "</Variables><Process_Data><Process_Data_Input /><Process_Data_Output /></Process_Data></IOLinkSlave>";
    ASSERT_TRUE(testsupport::writeFile(path(), file));
    user->open();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              QStringLiteral("The file holds 600 rows for \"Variables\"; the table shows the first 512 of them."));
    EXPECT_EQ(messages.shown[0].icon, platform::MsgIcon::Warning);
    EXPECT_EQ(w->ACG_Variable->Cells(var_col::Index, 512), QStringLiteral("571"));

    user->press(*w->Btn_OK);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].text,
              QStringLiteral("The file held 600 rows for \"Variables\"; saving keeps only the 512 "
                             "rows of the table and the others are lost. Save anyway?"));
    EXPECT_EQ(messages.shown[1].buttons, platform::MsgButtons::YesNo);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(written(), file);

    messages.answers.push_back(MsgResult::Yes);
    user->press(*w->Btn_OK);
    EXPECT_EQ(w->result(), TFIOLinkSlave::kModalOK);
    EXPECT_EQ(written().count("<row "), 512);
}

TEST_F(IOLinkSlaveWindow, ShowReloadsTheFileAndPlacesThePositions)
{
    ASSERT_TRUE(testsupport::writeFile(
        path(), "<IOLinkSlave><Process_Data><Process_Data_Input>"
                "<row Name=\"A\" Length=\"4\" Position=\"9\" StartBit=\"9\"/>"
                "<row Enable=\"Y\" Name=\"B\" Length=\"8\" Position=\"9\" StartBit=\"9\"/>"
                "</Process_Data_Input></Process_Data>"
                "<Variables><row Index=\"70\" Access=\"read only\"/></Variables></IOLinkSlave>"));
    user->open();
    auto* in = w->ACG_ProcessData_In;
    EXPECT_EQ(in->Cells(pd_col::Enable, 1), QStringLiteral("Y"));
    // Stale stored positions are shown as the lengths place them.
    EXPECT_EQ(in->Cells(pd_col::Position, 2), QStringLiteral("0"));
    EXPECT_EQ(in->Cells(pd_col::StartBit, 2), QStringLiteral("4"));
    EXPECT_EQ(w->ACG_Variable->Cells(var_col::Access, 1), QString());
    EXPECT_EQ(w->ACG_Variable->Cells(var_col::Index, 1), QStringLiteral("70"));

    // What was typed and cancelled is gone at the next show.
    in->SetCells(pd_col::Name, 5, QStringLiteral("typed"));
    user->press(*w->Btn_Cancel);
    user->open();
    EXPECT_EQ(in->Cells(pd_col::Name, 5), QString());
}

TEST_F(IOLinkSlaveWindow, RowButtonsActOnTheTableInFront)
{
    user->open();
    auto* in = w->ACG_ProcessData_In;
    for (int r = 1; r <= 3; ++r)
        user->setRow(*in, r, {"Y", QStringLiteral("P%1").arg(r), QString::number(r * 4), "1", "0", "1000"});
    w->Compile_Input_Pos_Bit();
    EXPECT_EQ(in->Cells(pd_col::Position, 3), QStringLiteral("1")); // 4 + 8 bits

    // Insert at row 2: the rows below move down and are placed anew at once.
    showInput();
    in->SetRow(2);
    user->press(*w->Btn_InsRow);
    EXPECT_EQ(in->Cells(pd_col::Enable, 2), QStringLiteral("Y"));
    EXPECT_EQ(in->Cells(pd_col::Name, 3), QStringLiteral("P2"));
    EXPECT_EQ(in->Cells(pd_col::Position, 4), QStringLiteral("1"));
    EXPECT_EQ(in->Cells(pd_col::StartBit, 4), QStringLiteral("4"));

    // Copy row 1 and paste it into the empty row 2: positions follow.
    in->SetRow(1);
    user->press(*w->Btn_CopyRow);
    EXPECT_TRUE(w->Do_Copy_PD_In);
    in->SetRow(2);
    user->press(*w->Btn_PasteRow);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(in->Cells(pd_col::Name, 2), QStringLiteral("P1"));
    EXPECT_EQ(in->Cells(pd_col::Position, 3), QStringLiteral("1"));
    EXPECT_EQ(in->Cells(pd_col::StartBit, 3), QStringLiteral("0"));

    // A row of the input table cannot be pasted into the output table, even with a row
    // copied there before: the buffer holds the input table's row.
    w->PC_ProcessData->setCurrentWidget(w->TS_PD_Output);
    user->press(*w->Btn_CopyRow);
    w->PC_ProcessData->setCurrentWidget(w->TS_PD_Input);
    user->press(*w->Btn_CopyRow);
    w->PC_ProcessData->setCurrentWidget(w->TS_PD_Output);
    w->Do_Copy_PD_Out = true; // as if the flag had survived
    user->press(*w->Btn_PasteRow);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("Error!!! Copy a valid row before Paste it"));
    EXPECT_EQ(w->ACG_ProcessData_Out->Cells(pd_col::Name, 1), QString());

    // Delete asks first; on Yes the rows move up and are placed anew.
    showInput();
    messages.shown.clear();
    messages.answers = {MsgResult::Yes};
    in->SetRow(1);
    user->press(*w->Btn_DelRow);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("Are you sure to delete the Row number 1"));
    EXPECT_EQ(in->Cells(pd_col::Name, 1), QStringLiteral("P1"));
    EXPECT_EQ(in->Cells(pd_col::Position, 2), QStringLiteral("0"));
    EXPECT_EQ(in->Cells(pd_col::StartBit, 2), QStringLiteral("4"));

    // The variables table: a used row asks before it is overwritten.
    showVariables();
    user->setRow(*w->ACG_Variable, 1, {"Y", "60", "V1"});
    user->setRow(*w->ACG_Variable, 2, {"Y", "61", "V2"});
    w->ACG_Variable->SetRow(1);
    user->press(*w->Btn_CopyRow);
    EXPECT_TRUE(w->Do_Copy_Var);
    EXPECT_FALSE(w->Do_Copy_PD_In);
    messages.shown.clear();
    messages.answers = {MsgResult::No};
    w->ACG_Variable->SetRow(2);
    user->press(*w->Btn_PasteRow);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("Row Already used. Do you want to overwrite the values?"));
    EXPECT_EQ(w->ACG_Variable->Cells(var_col::Name, 2), QStringLiteral("V2"));
}

TEST_F(IOLinkSlaveWindow, TickingEnableMovesThePositions)
{
    user->open();
    auto* in = w->ACG_ProcessData_In;
    for (int r = 1; r <= 3; ++r)
        user->setRow(*in, r, {"Y", QStringLiteral("P%1").arg(r), "4", "1", "0", "1000"});
    w->Compile_Input_Pos_Bit();
    // Unticking row 1 as the user does: its text becomes "N" and the rows below move back.
    ASSERT_TRUE(in->ToggleCheckBox(pd_col::Enable, 1));
    EXPECT_EQ(in->Cells(pd_col::Enable, 1), QStringLiteral("N"));
    EXPECT_EQ(in->Cells(pd_col::Position, 2), QStringLiteral("0"));
    EXPECT_EQ(in->Cells(pd_col::StartBit, 2), QStringLiteral("0"));
    EXPECT_EQ(in->Cells(pd_col::StartBit, 3), QStringLiteral("4"));
}

TEST_F(IOLinkSlaveWindow, MouseOnTheEnableBoxAndTheHeader)
{
    user->open();
    auto* in = w->ACG_ProcessData_In;
    for (int r = 1; r <= 2; ++r)
        user->setRow(*in, r, {"Y", QStringLiteral("P%1").arg(r), "4", "1", "0", "1000"});
    w->Compile_Input_Pos_Bit();
    // A click on row 1's box unticks it and moves row 2 back to bit 0.
    const QRect box = in->CellRect(pd_col::Enable, 1).toQRect();
    QPoint at;
    for (int x = box.left(); x < box.right() && at.isNull(); ++x)
        if (in->IsInCheckBox(pd_col::Enable, 1, x, box.center().y()))
            at = QPoint(x + 3, box.center().y());
    ASSERT_FALSE(at.isNull());
    QTest::mouseClick(in->viewport(), Qt::LeftButton, {}, at);
    QCoreApplication::processEvents();
    EXPECT_EQ(in->Cells(pd_col::Enable, 1), QStringLiteral("N"));
    EXPECT_EQ(in->Cells(pd_col::StartBit, 2), QStringLiteral("0"));

    // With the auto-size option a double-click on a header sizes its column to the text.
    common::State().Double_Click_Auto_Size = true;
    in->SetCells(pd_col::Mnemonic, 1, QStringLiteral("M"));
    const int before = in->ColWidths(pd_col::Mnemonic);
    QTest::mouseDClick(in->viewport(), Qt::LeftButton, {}, in->CellRect(pd_col::Mnemonic, 0).toQRect().center());
    QCoreApplication::processEvents();
    common::State().Double_Click_Auto_Size = false;
    EXPECT_LT(in->ColWidths(pd_col::Mnemonic), before);
}

TEST_F(IOLinkSlaveWindow, EnterJumpsAndHeaderHints)
{
    user->open();
    common::State().Enable_Jump_Field_Tables = true;
    auto* var = w->ACG_Variable;
    var->SetCol(var_col::Count - 1);
    var->SetRow(512);
    var->setFocus();
    QTest::keyClick(var, Qt::Key_Return);
    EXPECT_EQ(var->Col(), 1);
    EXPECT_EQ(var->Row(), 1);
    common::State().Enable_Jump_Field_Tables = false;
    EXPECT_EQ(w->Hint_Var.value(1), QStringLiteral("Insert the Index of the Variable (from 60 to 65535)"));
    // The header cells answer their column's hint; other cells none.
    QString hint = QStringLiteral("x");
    w->ACG_Variable->OnGridHint(w->ACG_Variable, 0, var_col::Index, hint);
    EXPECT_EQ(hint, QStringLiteral("Insert the Index of the Variable (from 60 to 65535)"));
    w->ACG_Variable->OnGridHint(w->ACG_Variable, 1, var_col::Index, hint);
    EXPECT_EQ(hint, QString());
    w->ACG_Variable->OnGridHint(w->ACG_Variable, 0, 0, hint);
    EXPECT_EQ(hint, QString());
    EXPECT_EQ(w->Hint_ProcDataIn.value(8), QStringLiteral("Insert the Description of the Process Data Input"));
    // A tool-tip request over a header cell shows that hint through the grid's own cell hint.
    const QPoint at = var->CellRect(var->DisplColIndex(var_col::Index), 0).toQRect().center();
    QHelpEvent help(QEvent::ToolTip, at, var->viewport()->mapToGlobal(at));
    QApplication::sendEvent(var->viewport(), &help);
    EXPECT_EQ(QToolTip::text(), QStringLiteral("Insert the Index of the Variable (from 60 to 65535)"));
}

// With the jump option on, a value picked in a list and confirmed with Enter lands in the
// cell whose list was open and only then does the current cell move on; with the option off
// it lands there too and the cell stays. The next column keeps what it held.
TEST_F(IOLinkSlaveWindow, APickedListValueLandsInItsOwnCell)
{
    struct Case {
        int col;
        const char* typed; // the letter the user types into the closed list
        const char* picked;
        bool dropped; // picked in the dropped list instead
    } cases[] = {
        {var_col::Access, "W", "Write Only", false}, {var_col::Access, "", "Read Write", true},
        {var_col::StartBitRead, "5", "5", false},    {var_col::StartBitWrite, "7", "7", false},
        {var_col::StartBitWrite, "", "1", true},
    };
    user->open();
    auto* var = w->ACG_Variable;
    testsupport::TableWindowDriver::bringForward(*var);
    for (const bool jump : {true, false}) {
        common::State().Enable_Jump_Field_Tables = jump;
        for (const Case& c : cases) {
            const QString where = QStringLiteral("col %1 jump %2 dropped %3").arg(c.col).arg(jump).arg(c.dropped);
            const int row = 3;
            var->SetCells(c.col, row, QString());
            var->SetCells(c.col + 1, row, QStringLiteral("kept"));
            var->setFocus();
            var->SetCol(c.col);
            var->SetRow(row);
            var->ShowEditor();
            grid::TGridCombo* combo = var->EditCombo();
            ASSERT_TRUE(combo && combo->isVisible()) << where.toStdString();
            if (c.dropped) {
                QTest::keyClick(combo, Qt::Key_Down, Qt::AltModifier);
                ASSERT_TRUE(combo->Dropped()) << where.toStdString();
                for (int k = 0;
                     k < combo->count() && combo->view()->currentIndex().data().toString() != QLatin1String(c.picked);
                     ++k)
                    QTest::keyClick(combo->view(), Qt::Key_Down);
                QTest::keyClick(combo->view(), Qt::Key_Return);
            } else {
                // Each pick is typed afresh, as after a pause: letters typed within the keyboard
                // interval would otherwise join the previous pick's into one search text.
                combo->view()->keyboardSearch(QString());
                QTest::keyClicks(combo, QLatin1String(c.typed));
                ASSERT_EQ(combo->currentText(), QLatin1String(c.picked)) << where.toStdString();
                QTest::keyClick(combo, Qt::Key_Return);
            }
            QCoreApplication::processEvents();
            EXPECT_EQ(var->Cells(c.col, row), QLatin1String(c.picked)) << where.toStdString();
            EXPECT_EQ(var->Cells(c.col + 1, row), QStringLiteral("kept")) << where.toStdString();
            EXPECT_EQ(var->Col(), jump ? c.col + 1 : c.col) << where.toStdString();
            EXPECT_EQ(var->Row(), row) << where.toStdString();
        }
    }
    common::State().Enable_Jump_Field_Tables = false;
}

// The fill-ins of a Length follow the accepted value only: Escape leaves the row as it was.
TEST_F(IOLinkSlaveWindow, ACancelledLengthEditLeavesTheRowAsItWas)
{
    user->open();
    common::State().Enable_Jump_Field_Tables = true;
    auto* in = w->ACG_ProcessData_In;
    user->type(*in, pd_col::Name, 1, QStringLiteral("Level"));
    testsupport::TableWindowDriver::bringForward(*in);
    in->setFocus();
    in->SetCol(pd_col::Length);
    in->SetRow(1);
    in->ShowEditor();
    ASSERT_TRUE(in->EditorMode());
    QTest::keyClicks(in->InplaceEditor(), QStringLiteral("8"));
    QTest::keyClick(in->InplaceEditor(), Qt::Key_Escape);
    QCoreApplication::processEvents();
    for (int col :
         {pd_col::Length, pd_col::Gradient, pd_col::Offset, pd_col::UnitCode, pd_col::Position, pd_col::StartBit})
        EXPECT_EQ(in->Cells(col, 1), QString()) << col;

    // Accepted with Enter, the row is filled and placed, and the jump moves on after it.
    user->type(*in, pd_col::Length, 1, QStringLiteral("8"));
    const char* filled[][2] = {{"8", "Length"},       {"1", "Gradient"}, {"0", "Offset"},
                               {"1000", "Unit Code"}, {"0", "Position"}, {"0", "Start Bit"}};
    const int cols[] = {pd_col::Length,   pd_col::Gradient, pd_col::Offset,
                        pd_col::UnitCode, pd_col::Position, pd_col::StartBit};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(in->Cells(cols[i], 1), QLatin1String(filled[i][0])) << filled[i][1];
    EXPECT_EQ(in->Col(), pd_col::Gradient);
    common::State().Enable_Jump_Field_Tables = false;
}

TEST_F(IOLinkSlaveWindow, ALanguageChangeRenewsCaptionsHeadersAndHints)
{
    user->open();
    common::Lang_Str()[1700] = QStringLiteral("Accesso IO-Link");
    common::Lang_Str()[1704] = QStringLiteral("Cancella riga");
    common::Lang_Str()[1714] = QStringLiteral("Variabili");
    common::Lang_Str()[1719] = QStringLiteral("Nome");
    common::Lang_Str()[1749] = QStringLiteral("Nome PD");
    common::Lang_Str()[1733] = QStringLiteral("Indice");
    w->Set_Lang();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Accesso IO-Link"));
    EXPECT_EQ(w->Btn_DelRow->Caption(), QStringLiteral("Cancella riga"));
    EXPECT_EQ(w->PageControl1->tabText(1), QStringLiteral("Variabili"));
    EXPECT_EQ(w->ACG_Variable->Cells(var_col::Index + 1, 0), QStringLiteral("Nome"));
    EXPECT_EQ(w->ACG_ProcessData_In->Cells(pd_col::Name, 0), QStringLiteral("Nome PD"));
    EXPECT_EQ(w->Hint_Var.value(1), QStringLiteral("Indice"));
    EXPECT_EQ(w->Hint_Var.size(), 15);
}

TEST_F(IOLinkSlaveWindow, ColumnDefinitions)
{
    user->open();
    auto& vars = w->ACG_Variable->Columns();
    ASSERT_EQ(vars.Count(), var_col::Count);
    EXPECT_EQ(vars[var_col::Enable].Editor(), grid::edDataCheckBox);
    EXPECT_EQ(vars[var_col::Enable].CheckTrue(), QStringLiteral("Y"));
    EXPECT_EQ(vars[var_col::Access].Editor(), grid::edComboList);
    EXPECT_EQ(vars[var_col::Access].ComboItems(), (QStringList{"Read Only", "Write Only", "Read Write"}));
    EXPECT_EQ(vars[var_col::StartBitWrite].ComboItems().size(), 8);
    EXPECT_EQ(vars[var_col::Mnemonic].Header(), QStringLiteral("Mnemonic"));
    EXPECT_EQ(vars[var_col::Index].Width(), 60);
    auto& in = w->ACG_ProcessData_In->Columns();
    ASSERT_EQ(in.Count(), pd_col::Count);
    EXPECT_TRUE(in[pd_col::Position].ReadOnly());
    EXPECT_TRUE(in[pd_col::StartBit].ReadOnly());
    EXPECT_FALSE(in[pd_col::Length].ReadOnly());
    EXPECT_EQ(in[pd_col::Description].Header(), QStringLiteral("Description"));
    EXPECT_EQ(in[pd_col::Mnemonic].Width(), 420);
}

TEST_F(IOLinkSlaveWindow, Screenshot)
{
    user->open();
    user->setRow(*w->ACG_ProcessData_In, 1, {"Y", "Status", "12", "1", "0", "1000"});
    user->setRow(*w->ACG_ProcessData_In, 2, {"Y", "Level", "16", "0,1", "0", "1001"});
    w->Compile_Input_Pos_Bit();
    const QImage shot = user->screenshot(QStringLiteral("windows/IOLinkSlave_window.png"));
    EXPECT_EQ(shot.size(), QSize(TFIOLinkSlave::kClientWidth, TFIOLinkSlave::kClientHeight));
    // Each kind of column shows its colour.
    auto* in = w->ACG_ProcessData_In;
    const struct {
        int col;
        QColor colour;
    } colours[] = {{pd_col::Enable, QColor(0xFF, 0xD8, 0xB0)},      {pd_col::Name, QColor(0xE0, 0xFA, 0xFE)},
                   {pd_col::Gradient, QColor(0xA8, 0xFF, 0xA8)},    {pd_col::Position, QColor(0xFC, 0xD6, 0xF4)},
                   {pd_col::Description, QColor(0xD5, 0xD5, 0xFF)}, {pd_col::Mnemonic, QColor(Qt::white)}};
    for (const auto& c : colours) {
        const QPoint at = in->viewport()->mapTo(w.get(), in->CellRect(c.col, 4).toQRect().topRight() + QPoint(-4, 4));
        EXPECT_EQ(shot.pixelColor(at), c.colour) << c.col;
    }
}

} // namespace

// A name typed into a cell and left with Tab stays in the cell, as it does with Enter; both
// the process data and the variables tables.
TEST_F(IOLinkSlaveWindow, AValueTypedThenTabbedOutIsKept)
{
    user->open();
    user->activate();
    struct Case {
        const char* label;
        std::function<void()> show;
        tables::TTableGrid* grid;
        int col;
    };
    const Case cases[] = {
        {"variables", [&] { showVariables(); }, w->ACG_Variable, var_col::Name},
        {"process data in", [&] { showInput(); }, w->ACG_ProcessData_In, pd_col::Name},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        c.show();
        QCoreApplication::processEvents();
        user->clickCell(*c.grid, c.col, 1);
        // Each key goes where the focus is, as the keyboard sends it: the first opens the
        // editor, the rest go into it.
        const auto focused = [&] {
            return QApplication::focusWidget() ? QApplication::focusWidget() : c.grid->viewport();
        };
        for (QChar ch : QStringLiteral("Speed")) {
            QTest::keyClick(focused(), ch.toLatin1());
            QCoreApplication::processEvents();
        }
        QTest::keyClick(focused(), Qt::Key_Tab);
        QCoreApplication::processEvents();
        EXPECT_EQ(c.grid->Cells(c.col, 1), QStringLiteral("Speed"));
        EXPECT_FALSE(c.grid->EditorMode());
    }
}

// Ctrl+A selects every variable and makes the last cell current, bringing it into view at
// once; Enter then opens the editor there without moving the view again.
TEST_F(IOLinkSlaveWindow, SelectAllThenEnterEditsTheLastCellWhereTheViewIs)
{
    user->open();
    user->activate();
    showVariables();
    QCoreApplication::processEvents();
    auto* g = w->ACG_Variable;
    user->clickCell(*g, var_col::Name, 1);
    const auto focused = [&] { return QApplication::focusWidget() ? QApplication::focusWidget() : g->viewport(); };
    QTest::keyClick(focused(), Qt::Key_A, Qt::ControlModifier);
    QCoreApplication::processEvents();
    const int last = g->RowCount() - 1;
    EXPECT_EQ(g->Selection(), (grid::TGridRect{1, 1, g->ColCount() - 1, last}));
    EXPECT_EQ(g->Row(), last);
    EXPECT_EQ(g->Col(), g->ColCount() - 1);
    const int top = g->TopRow(), left = g->LeftCol();
    EXPECT_GE(last, top);
    EXPECT_LT(last, top + g->VisibleRowCount() + 1);

    QTest::keyClick(focused(), Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_TRUE(g->EditorMode());
    EXPECT_EQ(g->TopRow(), top);
    EXPECT_EQ(g->LeftCol(), left);
}
