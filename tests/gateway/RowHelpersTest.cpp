// The table-row helpers on tables of texts: delete, insert, copy and paste through the shared
// row-copy buffer (with the refusal of a row copied from another table), the used-row
// question, the check-box variants, Enter moving on and the header double-click.

#include "common/UComonRows.h"
#include "common/UComonState.h"
#include "common/ULanguage.h"

#include "support/FakeMessages.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

using common::TRowTable;
using common::TTextTable;
using platform::MsgIcon;
using platform::MsgResult;

namespace {

// A string grid with cell check boxes and read-only cells, as the _Ex helpers see one.
class CheckTable final : public TRowTable {
public:
    CheckTable(QString key, int cols, int rows) : cells(std::move(key), cols, rows) {}

    QString TableKey() const override { return cells.TableKey(); }
    int RowCount() const override { return cells.RowCount(); }
    int ColCount() const override { return cells.ColCount(); }
    QString Cells(int col, int row) const override { return cells.Cells(col, row); }
    void SetCells(int col, int row, const QString& text) override { cells.SetCells(col, row, text); }
    bool HasCheckBox(int col, int row) const override { return checks.count({col, row}) > 0; }
    bool CheckBoxChecked(int col, int row) const override
    {
        auto it = checks.find({col, row});
        return it != checks.end() && it->second;
    }
    void SetCheckBoxChecked(int col, int row, bool checked) override
    {
        if (HasCheckBox(col, row))
            checks[{col, row}] = checked;
    }
    bool ReadOnly(int col, int row) const override { return readOnly.count({col, row}) > 0; }
    void SetReadOnly(int col, int row, bool value) override
    {
        if (value)
            readOnly.insert({col, row});
        else
            readOnly.erase({col, row});
    }

    TTextTable cells;
    std::map<std::pair<int, int>, bool> checks;
    std::set<std::pair<int, int>> readOnly;
};

// A column grid whose column 1 is a data check box ("Y"/"N").
class ColumnTable final : public TRowTable {
public:
    ColumnTable(QString key, int cols, int rows) : cells(std::move(key), cols, rows) {}
    QString TableKey() const override { return cells.TableKey(); }
    int RowCount() const override { return cells.RowCount(); }
    // Hidden columns keep their cells; only the displayed count shrinks.
    int ColCount() const override { return cells.ColCount() - hidden; }
    int NumHiddenColumns() const override { return hidden; }
    QString Cells(int col, int row) const override { return cells.Cells(col, row); }
    void SetCells(int col, int row, const QString& text) override { cells.SetCells(col, row, text); }
    bool IsDataCheckBoxColumn(int col) const override { return col == 1; }
    int Col() const override { return cells.Col(); }
    int Row() const override { return cells.Row(); }
    void SetCol(int col) override { cells.SetCol(col); }
    void SetRow(int row) override { cells.SetRow(row); }
    void AutoSizeCol(int col) override { sized.push_back(col); }

    TTextTable cells;
    int hidden = 0;
    std::vector<int> sized;
};

QString cellText(int col, int row)
{
    return QStringLiteral("c%1r%2").arg(col).arg(row);
}

void fill(TRowTable& t)
{
    for (int r = 0; r < t.RowCount(); ++r) {
        t.SetCells(0, r, QString::number(r));
        for (int c = 1; c < t.Handled_Col_End(); ++c)
            t.SetCells(c, r, cellText(c, r));
    }
}

class RowHelpers : public ::testing::Test {
protected:
    void SetUp() override
    {
        common::Load_Default_Texts();
        common::State().Copy_Str.clear();
        common::State().Copy_Is_Check.clear();
        common::Copy_Source().clear();
        common::State().Enable_Jump_Field_Tables = false;
        common::State().Double_Click_Auto_Size = false;
        ui.messages = &messages;
    }
    void TearDown() override
    {
        common::State().Enable_Jump_Field_Tables = false;
        common::State().Double_Click_Auto_Size = false;
    }

    testsupport::FakeMessages messages;
    common::TRowMessages ui;
};

TEST_F(RowHelpers, DeleteMovesRowsUpAndEmptiesTheLast)
{
    TTextTable t(QStringLiteral("t"), 4, 10);
    fill(t);
    common::Grid_Delete_Row(3, t);
    for (int r = 3; r <= 8; ++r)
        for (int c = 1; c < 4; ++c)
            EXPECT_EQ(t.Cells(c, r), cellText(c, r + 1)) << c << "," << r;
    for (int c = 1; c < 4; ++c)
        EXPECT_EQ(t.Cells(c, 9), QString());
    for (int r = 0; r < 10; ++r)
        EXPECT_EQ(t.Cells(0, r), QString::number(r)) << "column 0 keeps its numbers";
    EXPECT_EQ(t.Cells(1, 2), cellText(1, 2));
    EXPECT_EQ(t.RowCount(), 10);
}

TEST_F(RowHelpers, InsertOpensARowAndLosesTheLast)
{
    struct Case {
        int row;
        bool setEnable;
        QString column1;
    } cases[] = {{2, true, QStringLiteral("Y")}, {2, false, QString()}, {9, true, QStringLiteral("Y")}};
    for (const Case& k : cases) {
        TTextTable t(QStringLiteral("t"), 4, 10);
        fill(t);
        common::Grid_Insert_Row(k.row, t, k.setEnable);
        EXPECT_EQ(t.Cells(1, k.row), k.column1);
        EXPECT_EQ(t.Cells(2, k.row), QString());
        EXPECT_EQ(t.Cells(3, k.row), QString());
        for (int r = k.row + 1; r < 10; ++r)
            EXPECT_EQ(t.Cells(2, r), cellText(2, r - 1));
        EXPECT_EQ(t.Cells(0, k.row), QString::number(k.row));
    }
}

TEST_F(RowHelpers, TheHeaderRowNeverMoves)
{
    TTextTable t(QStringLiteral("t"), 3, 4);
    fill(t);
    common::Grid_Insert_Row(0, t, true);
    common::Grid_Delete_Row(0, t);
    for (int r = 0; r < 4; ++r)
        EXPECT_EQ(t.Cells(1, r), cellText(1, r));
}

TEST_F(RowHelpers, CopyTakesHandledColumnsHiddenOnesIncluded)
{
    ColumnTable t(QStringLiteral("t"), 4, 5);
    t.hidden = 1;
    fill(t);
    common::Grid_Copy_Row(t, 2);
    EXPECT_EQ(common::State().Copy_Str, (QStringList{cellText(1, 2), cellText(2, 2), cellText(3, 2)}));
    EXPECT_EQ(common::Copy_Source(), QStringLiteral("t"));
}

TEST_F(RowHelpers, PasteRefusals)
{
    TTextTable a(QStringLiteral("a"), 4, 6), b(QStringLiteral("b"), 4, 6), wide(QStringLiteral("a"), 5, 6);
    fill(a);
    common::Grid_Copy_Row(a, 1);
    struct Case {
        const char* what;
        TTextTable* target;
        bool copied;
        int text;
    } cases[] = {
        {"nothing copied in this table", &a, false, 1502},
        {"copied from another table of the same width", &b, true, 1502},
        {"another width", &wide, true, 1501},
    };
    for (const Case& k : cases) {
        messages.shown.clear();
        const QString before = k.target->Cells(1, 4);
        EXPECT_FALSE(common::Grid_Paste_Row(*k.target, 4, k.copied, ui)) << k.what;
        ASSERT_EQ(messages.shown.size(), 1u) << k.what;
        EXPECT_EQ(messages.shown[0].text, common::Lang_Str()[k.text]) << k.what;
        EXPECT_EQ(messages.shown[0].icon, MsgIcon::Error);
        EXPECT_EQ(k.target->Cells(1, 4), before) << k.what;
    }
    EXPECT_EQ(common::Lang_Str()[1502], QStringLiteral("Error!!! Copy a valid row before Paste it"));
}

TEST_F(RowHelpers, PasteAsksOnlyForAUsedRow)
{
    struct Case {
        const char* what;
        QStringList target; // columns 1..3 of the target row
        bool asks;
        MsgResult answer;
        bool pasted;
    } cases[] = {
        {"empty row", {QString(), QString(), QString()}, false, MsgResult::No, true},
        {"only the data check box and blanks",
         {QStringLiteral("N"), QStringLiteral("  "), QString()},
         false,
         MsgResult::No,
         true},
        {"used, answered No", {QStringLiteral("Y"), QStringLiteral("x"), QString()}, true, MsgResult::No, false},
        {"used, answered Yes", {QString(), QString(), QStringLiteral("z")}, true, MsgResult::Yes, true},
    };
    for (const Case& k : cases) {
        ColumnTable t(QStringLiteral("t"), 4, 6);
        for (int c = 1; c < 4; ++c)
            t.SetCells(c, 1, cellText(c, 1));
        common::Grid_Copy_Row(t, 1);
        for (int c = 1; c < 4; ++c)
            t.SetCells(c, 3, k.target[c - 1]);
        messages.shown.clear();
        messages.answers = {k.answer};
        EXPECT_EQ(common::Grid_Paste_Row(t, 3, true, ui), k.pasted) << k.what;
        EXPECT_EQ(messages.shown.size(), k.asks ? 1u : 0u) << k.what;
        if (k.asks) {
            EXPECT_EQ(messages.shown[0].text, QStringLiteral("Row Already used. Do you want to overwrite the values?"));
            EXPECT_EQ(messages.shown[0].icon, MsgIcon::Question);
        }
        for (int c = 1; c < 4; ++c)
            EXPECT_EQ(t.Cells(c, 3), k.pasted ? cellText(c, 1) : k.target[c - 1]) << k.what;
    }
}

TEST_F(RowHelpers, CheckBoxVariants)
{
    CheckTable t(QStringLiteral("ex"), 4, 5);
    fill(t);
    for (int r = 1; r < 5; ++r)
        t.checks[{1, r}] = r % 2 == 1; // column 1 holds check boxes; odd rows ticked
    t.SetReadOnly(2, 3, true);

    common::Grid_Copy_Row_Ex(t, 1);
    EXPECT_EQ(common::State().Copy_Str, (QStringList{QStringLiteral("Y"), cellText(2, 1), cellText(3, 1)}));
    EXPECT_EQ(common::State().Copy_Is_Check, (QList<bool>{true, false, false}));

    // A target whose only text is blanks counts as used: No leaves it unchanged.
    t.SetCells(2, 4, QString());
    t.SetCells(3, 4, QStringLiteral(" "));
    messages.answers = {MsgResult::No};
    EXPECT_FALSE(common::Grid_Paste_Row_Ex(t, 4, true, ui));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(t.Cells(3, 4), QStringLiteral(" "));

    messages.answers = {MsgResult::Yes};
    EXPECT_TRUE(common::Grid_Paste_Row_Ex(t, 4, true, ui));
    EXPECT_TRUE(t.CheckBoxChecked(1, 4));
    EXPECT_EQ(t.Cells(2, 4), cellText(2, 1));

    // Delete moves check states and read-only flags up; the last row becomes read-only with
    // column 1 ticked when the enable flag is set.
    common::Grid_Delete_Row_Ex(2, t, true);
    EXPECT_TRUE(t.CheckBoxChecked(1, 2)) << "row 3 was ticked";
    EXPECT_TRUE(t.ReadOnly(2, 2));
    EXPECT_FALSE(t.ReadOnly(2, 3));
    EXPECT_TRUE(t.CheckBoxChecked(1, 4));
    EXPECT_TRUE(t.ReadOnly(3, 4));
    EXPECT_EQ(t.Cells(2, 4), QString());

    // Insert moves down and leaves an editable, unticked row without the enable flag.
    common::Grid_Insert_Row_Ex(1, t, false);
    EXPECT_FALSE(t.CheckBoxChecked(1, 1));
    EXPECT_FALSE(t.ReadOnly(2, 1));
    EXPECT_EQ(t.Cells(2, 1), QString());
    EXPECT_TRUE(t.ReadOnly(2, 3)) << "the read-only cell moved down with its row";
}

TEST_F(RowHelpers, EnterMovesToTheNextCellWithTheJumpOption)
{
    struct Case {
        bool option;
        int key;
        int col, row;
        int wantCol, wantRow;
        bool consumed;
    } cases[] = {
        {false, 13, 2, 2, 2, 2, false}, // left to the grid
        {true, 'a', 2, 2, 2, 2, false}, // not Enter
        {true, 13, 2, 2, 3, 2, true},   // next column
        {true, 13, 3, 2, 1, 3, true},   // last column: column 1 of the next row
        {true, 13, 3, 5, 1, 1, true},   // last column of the last row: back to row 1
        {true, 13, 0, 2, 0, 2, true},   // fixed column: nothing moves, the key is consumed
        {true, 13, 2, 0, 2, 0, true},
    };
    for (const Case& k : cases) {
        common::State().Enable_Jump_Field_Tables = k.option;
        ColumnTable t(QStringLiteral("t"), 4, 6);
        t.SetCol(k.col);
        t.SetRow(k.row);
        QChar key(k.key);
        common::Grid_Enter_Next_Cell(t, key);
        EXPECT_EQ(t.Col(), k.wantCol) << k.col << "," << k.row;
        EXPECT_EQ(t.Row(), k.wantRow) << k.col << "," << k.row;
        EXPECT_EQ(key == QChar(0), k.consumed) << k.col << "," << k.row;
    }
}

TEST_F(RowHelpers, HeaderDoubleClickSizesWithTheOptionOnly)
{
    ColumnTable t(QStringLiteral("t"), 4, 6);
    common::Grid_DblClick_AutoSize(t, 0, 2);
    common::State().Double_Click_Auto_Size = true;
    common::Grid_DblClick_AutoSize(t, 1, 2);
    EXPECT_TRUE(t.sized.empty());
    common::Grid_DblClick_AutoSize(t, 0, 3);
    EXPECT_EQ(t.sized, std::vector<int>{3});
}

} // namespace

// ---- the helpers on the table control itself --------------------------------------------------

#include "grid/QvCGrid.h"

namespace {

TEST_F(RowHelpers, StringGridWithCellCheckBoxes)
{
    grid::TQvStringGrid g;
    g.SetColCount(4);
    g.SetRowCount(5);
    common::TGridRows<grid::TQvStringGrid> t(g, QStringLiteral("sg"));
    for (int r = 1; r < 5; ++r) {
        g.AddCheckBox(1, r, r == 2, false);
        g.SetCells(2, r, cellText(2, r));
        g.SetCells(3, r, cellText(3, r));
    }
    ASSERT_TRUE(t.HasCheckBox(1, 2));
    EXPECT_TRUE(t.CheckBoxChecked(1, 2));
    EXPECT_FALSE(t.CheckBoxChecked(1, 3));

    common::Grid_Copy_Row_Ex(t, 2);
    EXPECT_EQ(common::State().Copy_Str, (QStringList{QStringLiteral("Y"), cellText(2, 2), cellText(3, 2)}));
    EXPECT_EQ(common::State().Copy_Is_Check, (QList<bool>{true, false, false}));

    // Delete row 1: row 2's ticked box and texts move up, the last row is emptied and read-only.
    common::Grid_Delete_Row_Ex(1, t, false);
    EXPECT_TRUE(t.CheckBoxChecked(1, 1));
    EXPECT_EQ(g.Cells(2, 1), cellText(2, 2));
    EXPECT_EQ(g.Cells(2, 4), QString());
    EXPECT_TRUE(g.GetReadOnly(2, 4));

    // Insert at row 4 makes it editable again; pasting fills it without asking.
    common::Grid_Insert_Row_Ex(4, t, true);
    EXPECT_FALSE(g.GetReadOnly(2, 4));
    EXPECT_TRUE(t.CheckBoxChecked(1, 4)) << "column 1 ticked with the enable flag";
    g.SetCheckBoxState(1, 4, false);
    EXPECT_TRUE(common::Grid_Paste_Row_Ex(t, 4, true, ui));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(t.CheckBoxChecked(1, 4));
    EXPECT_EQ(g.Cells(3, 4), cellText(3, 2));
}

TEST_F(RowHelpers, ColumnGridDataCheckBoxesDoNotMakeARowUsed)
{
    grid::TQvColumnGrid g;
    for (int c = 0; c < 3; ++c)
        g.Columns().Add();
    g.Columns()[1].SetEditor(grid::edDataCheckBox);
    g.SetColCount(3);
    g.SetRowCount(4);
    common::TGridRows<grid::TQvColumnGrid> t(g, QStringLiteral("cg"));
    t.dataCheckBoxColumn = [&g](int col) { return g.Columns()[col].Editor() == grid::edDataCheckBox; };
    g.SetCells(1, 1, QStringLiteral("N"));
    g.SetCells(2, 1, QStringLiteral("x"));
    g.SetCells(1, 2, QStringLiteral("Y"));
    common::Grid_Copy_Row(t, 1);
    EXPECT_TRUE(common::Grid_Paste_Row(t, 2, true, ui));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(g.Cells(1, 2), QStringLiteral("N"));
    EXPECT_EQ(g.Cells(2, 2), QStringLiteral("x"));

    // The header double-click sizes the column to its widest text.
    common::State().Double_Click_Auto_Size = true;
    g.SetCells(2, 3, QStringLiteral("a rather long text for this column"));
    const int before = g.ColWidths(2);
    common::Grid_DblClick_AutoSize(t, 0, 2);
    EXPECT_GT(g.ColWidths(2), before);
}

} // namespace
