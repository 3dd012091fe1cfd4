// The IEC 61850 client window's tables driven like a user: the rows Add Var makes from the tree,
// the byte-size rule, the validation of the variables table with its exact messages (first
// error only), Remove Var on both pages, and the member table of a data set, whose edits stay
// with the data set they were typed for.

#include "IEC_ClientWindowTest.h"

#include "protocols/energy_it/iec61850/UIEC_Client_Decode.h"

#include <QTabWidget>

#include <map>

namespace {

using energy_it::TFIEC_61850_Access;
using iectest::IECClientWindow;
using iectest::smallFixture;
namespace da_col = energy_it::da_col;
namespace ds_col = energy_it::ds_col;
namespace member_col = energy_it::member_col;

const QStringList kF = {"SRV1", "LD0", "MMXU1", "TotW", "mag", "f"};
const QStringList kQ = {"SRV1", "LD0", "MMXU1", "TotW", "q"};
const QStringList kD = {"SRV1", "LD0", "MMXU1", "TotW", "d"};
const QStringList kStVal = {"SRV1", "LD0", "OutGGIO1", "Ind1", "stVal"};
const QStringList kBlob = {"SRV1", "LD0", "OutGGIO1", "Ind1", "blob"};
const QStringList kDS1 = {"SRV1", "LD0", "LLN0", "DS1"};
const QStringList kDS2 = {"SRV1", "LD0", "LLN0", "DS2"};

class IECClientTables : public IECClientWindow {
protected:
    void SetUp() override
    {
        IECClientWindow::SetUp();
        open();
        addDevice(smallFixture());
        clickDevice(0);
    }

    QStringList row(const grid::TQvStringGrid& grid, int r) const
    {
        QStringList cells;
        for (int c = 0; c < grid.ColCount(); ++c)
            cells.append(grid.Cells(c, r));
        return cells;
    }
};

TEST_F(IECClientTables, AddVarFillsARowFromTheAttribute)
{
    addVar(kF);
    EXPECT_EQ(w->PC_DA_DataSet->currentWidget(), w->TS_DA);
    EXPECT_EQ(row(*w->ACG_DA, 1), (QStringList{"1", "0", "FLOAT32", "MX", "SRV1LD0/MMXU1.TotW.mag.f", "0", "4", "", "",
                                               "N", "N", "N", "", "", "", "", "", "", ""}));
    EXPECT_EQ(w->ACG_DA->RowCount(), 2);
    // The same attribute again makes a second row.
    addVar(kF);
    EXPECT_EQ(w->ACG_DA->RowCount(), 3);
    EXPECT_EQ(w->ACG_DA->Cells(da_col::N, 2), QStringLiteral("2"));
    EXPECT_EQ(w->ACG_DA->Cells(da_col::Reference, 2), QStringLiteral("SRV1LD0/MMXU1.TotW.mag.f"));
}

TEST_F(IECClientTables, ByteSizeRuleByType)
{
    const struct Case {
        QStringList node;
        const char* bType;
        const char* startByte;
        const char* numByte;
        bool readOnly;
    } cases[] = {
        {kF, "FLOAT32", "0", "4", true},
        {kQ, "Quality", "0", "4", true},
        {kStVal, "BOOLEAN", "0", "1", true},
        {{"SRV1", "LD0", "OutGGIO1", "Ind1", "t"}, "Timestamp", "0", "1", true},
        {{"SRV1", "LD0", "LLN0", "Mod", "stVal"}, "Enum", "0", "1", true},
        {kD, "VisString255", "", "", false},
        {kBlob, "Octet64", "", "", false},
    };
    int r = 0;
    for (const Case& c : cases) {
        addVar(c.node);
        ++r;
        EXPECT_EQ(w->ACG_DA->Cells(da_col::bType, r), QLatin1String(c.bType));
        EXPECT_EQ(w->ACG_DA->Cells(da_col::Start_Byte, r), QLatin1String(c.startByte)) << c.bType;
        EXPECT_EQ(w->ACG_DA->Cells(da_col::Num_Byte, r), QLatin1String(c.numByte)) << c.bType;
        EXPECT_EQ(w->ACG_DA->GetReadOnly(da_col::Start_Byte, r), c.readOnly) << c.bType;
        EXPECT_EQ(w->ACG_DA->GetReadOnly(da_col::Num_Byte, r), c.readOnly) << c.bType;
    }
    // The table is data: every fixed size of the rule, in either case.
    const std::map<QString, QString> sizes = {{"FLOAT32", "4"}, {"INT32U", "4"},    {"int32", "4"}, {"QUALITY", "4"},
                                              {"FLOAT64", "8"}, {"Int64", "8"},     {"INT8U", "1"}, {"INT8", "1"},
                                              {"BOOLEAN", "1"}, {"TIMESTAMP", "1"}, {"ENUM", "1"},  {"INT16U", "2"},
                                              {"INT16", "2"}};
    for (const auto& [type, size] : sizes)
        EXPECT_EQ(energy_it::Fixed_Num_Byte(type).value_or(QString()), size) << type.toStdString();
    for (const char* other : {"VisString255", "Octet64", "Struct", "INT24", "FLOAT32 ", ""})
        EXPECT_FALSE(energy_it::Fixed_Num_Byte(QLatin1String(other))) << other;
    // The editable cells can be typed into; the fixed ones open no editor.
    user->type("ACG_DA", da_col::Start_Byte, 6, "3");
    EXPECT_EQ(w->ACG_DA->Cells(da_col::Start_Byte, 6), QStringLiteral("3"));
    for (int r : {1, 6}) {
        user->clickCell(*w->ACG_DA, da_col::Start_Byte, r);
        QTest::keyClicks(w->ACG_DA, "7");
        QTest::keyClick(w->ACG_DA, Qt::Key_Return);
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(w->ACG_DA->Cells(da_col::Start_Byte, 1), QStringLiteral("0"));
    EXPECT_EQ(w->ACG_DA->Cells(da_col::Start_Byte, 6), QStringLiteral("7"));
}

// Cells 5 .. 18 of a row that passes every rule.
std::map<int, QString> validCells()
{
    return {{da_col::Start_Byte, "0"}, {da_col::Num_Byte, "4"},   {da_col::IP_Address, "192.168.1.20"},
            {da_col::Port, "102"},     {da_col::On_Timer, "N"},   {da_col::Time, ""},
            {da_col::Position, "0"},   {da_col::Molt_Fact, "1.5"}};
}

TEST_F(IECClientTables, ValidationRulesWithTheirMessages)
{
    const QString prefix = QStringLiteral("Error row 1");
    const struct Case {
        const char* bType;
        std::map<int, QString> cells; // changes to a valid row
        QString message;              // empty: passes
    } cases[] = {
        {"FLOAT32", {}, ""},
        {"VisString255", {{da_col::Start_Byte, "200"}, {da_col::Num_Byte, "55"}}, ""},
        {"VisString255",
         {{da_col::Start_Byte, "200"}, {da_col::Num_Byte, "56"}},
         prefix + "!! Start Byte plus Num Byte must be minor of 255"},
        {"VisString255",
         {{da_col::Start_Byte, ""}, {da_col::Num_Byte, ""}},
         prefix + "!! Start Byte must be between 0 and 254"},
        {"VisString255", {{da_col::Start_Byte, "255"}}, prefix + "!! Start Byte must be between 0 and 254"},
        {"visstring255", {{da_col::Num_Byte, "0"}}, prefix + "!! Num Byte must be between 1 and 255"},
        {"Octet64", {{da_col::Start_Byte, "0"}, {da_col::Num_Byte, "64"}}, ""},
        {"Octet64",
         {{da_col::Start_Byte, "64"}, {da_col::Num_Byte, "1"}},
         prefix + "!! Start Byte must be between 0 and 63"},
        {"Octet64", {{da_col::Num_Byte, "65"}}, prefix + "!! Num Byte must be between 1 and 64"},
        {"Octet64",
         {{da_col::Start_Byte, "1"}, {da_col::Num_Byte, "64"}},
         prefix + "!! Start Byte plus Num Byte must be minor of 64"},
        // Other types have no byte window to check.
        {"Struct", {{da_col::Start_Byte, "999"}, {da_col::Num_Byte, "x"}}, ""},
        {"FLOAT32",
         {{da_col::IP_Address, "192.168.1"}},
         prefix + "!! IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)"},
        {"FLOAT32", {{da_col::IP_Address, " 10.0.0.1 "}}, ""},
        {"FLOAT32", {{da_col::Port, "65536"}}, prefix + "!! Port must be between 0 and 65535"},
        {"FLOAT32", {{da_col::Port, ""}}, prefix + "!! Port must be between 0 and 65535"},
        {"FLOAT32", {{da_col::Time, "0"}}, ""}, // only checked with On Timer
        {"FLOAT32",
         {{da_col::On_Timer, "Y"}, {da_col::Time, "0"}},
         prefix + "!! Time must be between 1 and 100000000 ms"},
        {"FLOAT32",
         {{da_col::On_Timer, " Y "}, {da_col::Time, "100000001"}},
         prefix + "!! Time must be between 1 and 100000000 ms"},
        {"FLOAT32", {{da_col::On_Timer, "Y"}, {da_col::Time, "100000000"}}, ""},
        {"FLOAT32", {{da_col::Position, "1399"}}, ""},
        {"FLOAT32", {{da_col::Position, "1400"}}, prefix + "!! Position must be between 0 and 1399"},
        {"FLOAT32", {{da_col::Position, "-1"}}, prefix + "!! Position must be between 0 and 1399"},
        {"FLOAT32", {{da_col::Molt_Fact, " none "}}, ""},
        {"FLOAT32", {{da_col::Molt_Fact, "None"}}, ""},
        {"FLOAT32", {{da_col::Molt_Fact, ""}}, prefix + "!! Mult. Factor must be a valid Float"},
        {"FLOAT32", {{da_col::Molt_Fact, "1,5x"}}, prefix + "!! Mult. Factor must be a valid Float"},
        // Several failures: the first rule's message only.
        {"VisString255",
         {{da_col::Start_Byte, "300"}, {da_col::Port, "-5"}},
         prefix + "!! Start Byte must be between 0 and 254"},
        {"FLOAT32", {{da_col::Port, "-5"}, {da_col::Position, "5000"}}, prefix + "!! Port must be between 0 and 65535"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.bType) + " -> " + c.message.toStdString());
        std::map<int, QString> cells = validCells();
        for (const auto& [col, text] : c.cells)
            cells[col] = text;
        w->ACG_DA->SetCells(da_col::N, 1, "1");
        w->ACG_DA->SetCells(da_col::bType, 1, QLatin1String(c.bType));
        for (const auto& [col, text] : cells)
            w->ACG_DA->SetCells(col, 1, text);
        const size_t before = messages.shown.size();
        EXPECT_EQ(w->Controllo_dati(), c.message.isEmpty());
        if (c.message.isEmpty()) {
            EXPECT_EQ(messages.shown.size(), before) << messages.lastText().toStdString();
        } else {
            ASSERT_EQ(messages.shown.size(), before + 1);
            EXPECT_EQ(messages.lastText(), c.message);
            EXPECT_EQ(messages.shown.back().icon, platform::MsgIcon::Error);
        }
    }
}

TEST_F(IECClientTables, FreshRowFailsUntilFilledAndEmptyTypeRowsAreSkipped)
{
    addVar(kD);
    user->press("Btn_OK");
    EXPECT_EQ(messages.lastText(), QStringLiteral("Error row 1!! Start Byte must be between 0 and 254"));
    EXPECT_FALSE(QFileInfo::exists(path()));
    EXPECT_TRUE(w->isVisible());

    for (auto [col, text] : validCells())
        if (col != da_col::On_Timer)
            user->type("ACG_DA", col, 1, text);
    // A row with an empty bType (a file may hold one) is not checked at all, even below.
    addVar(kF);
    w->ACG_DA->SetCells(da_col::bType, 2, QString());
    addVar(kQ);
    w->ACG_DA->SetCells(da_col::Port, 3, QStringLiteral("x"));
    user->press("Btn_OK");
    EXPECT_EQ(messages.lastText(),
              QStringLiteral("Error row 3!! IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)"));
}

TEST_F(IECClientTables, RemoveVarOnTheVariablesPage)
{
    addVar(kF);
    addVar(kD);
    addVar(kQ);
    w->ACG_DA->SetRow(2);
    user->press("Btn_RemoveVar");
    EXPECT_EQ(w->ACG_DA->RowCount(), 3);
    EXPECT_EQ(w->ACG_DA->Cells(da_col::N, 2), QStringLiteral("2"));
    EXPECT_EQ(w->ACG_DA->Cells(da_col::Reference, 2), QStringLiteral("SRV1LD0/MMXU1.TotW.q"));
    // The byte-size rule follows the rows: row 2 is a Quality now, fixed.
    EXPECT_TRUE(w->ACG_DA->GetReadOnly(da_col::Start_Byte, 2));
    w->ACG_DA->SetRow(1);
    user->press("Btn_RemoveVar");
    user->press("Btn_RemoveVar");
    // The only row is emptied; its number stays.
    EXPECT_EQ(w->ACG_DA->RowCount(), 2);
    EXPECT_EQ(row(*w->ACG_DA, 1), QStringList("1") + QStringList(18, QString()));
    EXPECT_FALSE(w->ACG_DA->GetReadOnly(da_col::Start_Byte, 1));
    // An emptied table takes the next row in row 1.
    addVar(kStVal);
    EXPECT_EQ(w->ACG_DA->RowCount(), 2);
    EXPECT_EQ(w->ACG_DA->Cells(da_col::bType, 1), QStringLiteral("BOOLEAN"));
}

TEST_F(IECClientTables, AddVarOfADataSetMakesARowAndItsMembers)
{
    addVar(kDS1);
    EXPECT_EQ(w->PC_DA_DataSet->currentWidget(), w->TS_DataSet);
    EXPECT_EQ(row(*w->ACG_DataSet, 1), (QStringList{"1", "0", "SRV1LD0/LLN0.DS1", "gcb1", "Y", "", "", "", ""}));
    addVar(kDS2);
    EXPECT_EQ(row(*w->ACG_DataSet, 2), (QStringList{"2", "0", "SRV1LD0/LLN0.DS2", "", "N", "", "", "", ""}));
    ASSERT_EQ(w->List_DataSet.size(), 2u);
    EXPECT_EQ(w->List_DataSet[0]->List_DAs.size(), 3u);

    user->clickCell(*w->ACG_DataSet, ds_col::Reference, 1);
    ASSERT_EQ(w->ACG_DS_Vars->RowCount(), 4);
    EXPECT_EQ(row(*w->ACG_DS_Vars, 1), (QStringList{"1", "Struct", "SRV1LD0/MMXU1.TotW.mag", "", "", "", "", ""}));
    EXPECT_EQ(row(*w->ACG_DS_Vars, 3),
              (QStringList{"3", "BOOLEAN", "SRV1LD0/OutGGIO1.Ind1.stVal", "", "", "", "", ""}));
    user->clickCell(*w->ACG_DataSet, ds_col::Reference, 2);
    EXPECT_EQ(w->ACG_DS_Vars->RowCount(), 2);
    EXPECT_EQ(w->ACG_DS_Vars->Cells(member_col::Reference, 1), QStringLiteral("SRV1LD0/OutGGIO1.Ind1.t"));
}

TEST_F(IECClientTables, MemberEditsStayWithTheirDataSet)
{
    addVar(kDS1);
    addVar(kDS2);
    user->clickCell(*w->ACG_DataSet, ds_col::Reference, 1);
    user->type("ACG_DS_Vars", member_col::Position, 2, "10");
    user->pick(*w->ACG_DS_Vars, member_col::Start_Bit, 2, "3");
    user->type("ACG_DS_Vars", member_col::Mnemonic, 3, "breaker");
    QCoreApplication::processEvents();
    EXPECT_EQ(w->List_DataSet[0]->List_DAs[1]->Position, QStringLiteral("10"));
    EXPECT_EQ(w->List_DataSet[0]->List_DAs[1]->bitAddress, QStringLiteral("3"));
    EXPECT_EQ(w->List_DataSet[0]->List_DAs[2]->Mnemonic, QStringLiteral("breaker"));
    // Shown again, the member keeps what was typed.
    user->clickCell(*w->ACG_DataSet, ds_col::Reference, 2);
    user->clickCell(*w->ACG_DataSet, ds_col::Reference, 1);
    EXPECT_EQ(w->ACG_DS_Vars->Cells(member_col::Position, 2), QStringLiteral("10"));

    // Moving in the data-set table by keys does not show other members; edits go to the data
    // set shown.
    w->ACG_DataSet->SetRow(2);
    user->type("ACG_DS_Vars", member_col::Position, 1, "77");
    QCoreApplication::processEvents();
    EXPECT_EQ(w->List_DataSet[0]->List_DAs[0]->Position, QStringLiteral("77"));
    EXPECT_TRUE(w->List_DataSet[1]->List_DAs[0]->Position.isEmpty());

    // Add Var refreshes the member table from the current row: no edit lands in another set.
    w->ACG_DataSet->SetRow(2);
    addVar(kDS1);
    EXPECT_EQ(w->ACG_DS_Vars->RowCount(), 2);
    EXPECT_EQ(w->ACG_DS_Vars->Cells(member_col::Reference, 1), QStringLiteral("SRV1LD0/OutGGIO1.Ind1.t"));
    user->type("ACG_DS_Vars", member_col::Position, 1, "5");
    QCoreApplication::processEvents();
    EXPECT_EQ(w->List_DataSet[1]->List_DAs[0]->Position, QStringLiteral("5"));
    EXPECT_EQ(w->List_DataSet[0]->List_DAs[0]->Position, QStringLiteral("77"));

    // Remove Var of row 1 does likewise: the member table shows the row now current.
    w->ACG_DataSet->SetRow(1);
    user->press("Btn_RemoveVar");
    ASSERT_EQ(w->List_DataSet.size(), 2u);
    EXPECT_EQ(w->ACG_DataSet->Cells(ds_col::Reference, 1), QStringLiteral("SRV1LD0/LLN0.DS2"));
    EXPECT_EQ(w->ACG_DS_Vars->Cells(member_col::Reference, 1), QStringLiteral("SRV1LD0/OutGGIO1.Ind1.t"));
    user->type("ACG_DS_Vars", member_col::Mnemonic, 1, "time");
    QCoreApplication::processEvents();
    EXPECT_EQ(w->List_DataSet[0]->List_DAs[0]->Mnemonic, QStringLiteral("time"));
    EXPECT_TRUE(w->List_DataSet[1]->List_DAs[0]->Mnemonic.isEmpty());
}

TEST_F(IECClientTables, RemoveVarOnTheDataSetPage)
{
    addVar(kDS1);
    w->ACG_DataSet->SetRow(1);
    user->press("Btn_RemoveVar");
    EXPECT_TRUE(w->List_DataSet.empty());
    EXPECT_EQ(w->ACG_DataSet->RowCount(), 2);
    EXPECT_EQ(row(*w->ACG_DataSet, 1), QStringList("1") + QStringList(8, QString()));
    EXPECT_EQ(w->ACG_DS_Vars->RowCount(), 2);
    EXPECT_TRUE(w->ACG_DS_Vars->Cells(member_col::Reference, 1).isEmpty());
}

TEST_F(IECClientTables, ClickInColumnZeroSelectsTheRowAndEnterMovesOn)
{
    addVar(kF);
    addVar(kQ);
    user->clickCell(*w->ACG_DA, 0, 2);
    const grid::TGridRect sel = w->ACG_DA->Selection();
    EXPECT_EQ(sel.Top, 2);
    EXPECT_EQ(sel.Bottom, 2);
    EXPECT_EQ(sel.Left, 1);
    EXPECT_EQ(sel.Right, da_col::Count - 1);

    common::State().Enable_Jump_Field_Tables = true;
    w->ACG_DA->SetCol(da_col::IP_Address);
    w->ACG_DA->SetRow(1);
    w->ACG_DA->setFocus();
    QTest::keyClick(w->ACG_DA, Qt::Key_Return);
    EXPECT_EQ(w->ACG_DA->Col(), da_col::Port);
}

TEST_F(IECClientTables, HeaderHintsComeFromTheOneList)
{
    QString hint;
    w->ACG_DA->OnGridHint(w->ACG_DA, 0, da_col::Molt_Fact, hint);
    EXPECT_EQ(hint, QStringLiteral("Insert the Multiplication Factor for Data"));
    w->ACG_DA->OnGridHint(w->ACG_DA, 1, da_col::Molt_Fact, hint);
    EXPECT_TRUE(hint.isEmpty());
    w->ACG_DA->OnGridHint(w->ACG_DA, 0, 0, hint);
    EXPECT_TRUE(hint.isEmpty());
    // The data-set and member tables ask the same list by column number.
    w->ACG_DS_Vars->OnGridHint(w->ACG_DS_Vars, 0, member_col::Reference, hint);
    EXPECT_EQ(hint, w->Hint[member_col::Reference]);
}

} // namespace
