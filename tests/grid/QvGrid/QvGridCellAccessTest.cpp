// The public cell interface of a plain string grid: every accessor called in turn with its
// arguments and the answer expected, the unsorted and original accessors after a sort and a
// column move; undo and redo with a hidden column; the column mapping beyond the hideable
// columns and the guarded top-row writer.

#include "grid/QvGrid.h"
#include "grid/edit/QvRichEdit.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QVBoxLayout>

#include <functional>

using namespace grid;

static void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace {

QString num(long long v)
{
    return QString::number(v);
}

QString point(TPoint p)
{
    return QStringLiteral("%1,%2").arg(p.X).arg(p.Y);
}

struct Recorder : ITQvStringGridSelect {
    void SelectionChanged(int c, int r) override { seen << point({c, r}); }
    QStringList seen;
};

struct Case {
    const char* call; // the accessor and its arguments
    std::function<QString(TQvStringGrid&)> run;
    QString expected;
};

// Six columns, six rows, one fixed row and column; column 1 holds d, b, a, c, e in rows 1..5.
void fill(TQvStringGrid& g)
{
    g.SetColCount(6);
    g.SetRowCount(6);
    const char* texts[] = {"d", "b", "a", "c", "e"};
    for (int r = 1; r <= 5; ++r)
        g.SetCells(1, r, QString::fromLatin1(texts[r - 1]));
}

} // namespace

TEST(QvGridCellAccess, EveryAccessorOnAPlainStringGrid)
{
    TQvStringGrid g;
    fill(g);
    static TObject userObject;
    Recorder listener;
    QLabel* control = new QLabel; // the grid becomes its parent
    TFont font;
    font.Name = QStringLiteral("Courier");
    font.Size = 11;
    font.Style = fsItalic;
    font.Color = 0x00FF00;

    const std::vector<Case> cases = {
        // per-cell look: reading without properties creates none
        {"GetColors(2,2) unset", [](auto& g) { return num(g.GetColors(2, 2)); }, num(clNone)},
        {"CellHasProperties(2,2) after reading", [](auto& g) { return num(g.CellHasProperties(2, 2)); }, "0"},
        {"SetColors(2,2,0xFF)",
         [](auto& g) {
             g.SetColors(2, 2, 0xFF);
             return num(g.GetColors(2, 2));
         },
         "255"},
        {"SetColorsTo(2,2,0xFF00)",
         [](auto& g) {
             g.SetColorsTo(2, 2, 0xFF00);
             return num(g.GetColorsTo(2, 2));
         },
         num(0xFF00)},
        {"GetGradientDir(3,3) unset", [](auto& g) { return num(g.GetGradientDir(3, 3)); }, "0"},
        {"SetGradientDir(2,2,horizontal)",
         [](auto& g) {
             g.SetGradientDir(2, 2, GradientHorizontal);
             return num(g.GetGradientDir(2, 2));
         },
         num(GradientHorizontal)},
        {"GetFontColors(3,3) unset", [](auto& g) { return num(g.GetFontColors(3, 3)); }, num(clNone)},
        {"SetFontColors(2,2,0x80)",
         [](auto& g) {
             g.SetFontColors(2, 2, 0x80);
             return num(g.GetFontColors(2, 2));
         },
         "128"},
        {"GetFontStyles(3,3) unset", [](auto& g) { return num(g.GetFontStyles(3, 3)); }, "0"},
        {"SetFontStyles(2,2,bold)",
         [](auto& g) {
             g.SetFontStyles(2, 2, fsBold);
             return num(g.GetFontStyles(2, 2));
         },
         num(fsBold)},
        {"GetFontSizes(3,3) unset", [](auto& g) { return num(g.GetFontSizes(3, 3)); }, "0"},
        {"SetFontSizes(2,2,14)",
         [](auto& g) {
             g.SetFontSizes(2, 2, 14);
             return num(g.GetFontSizes(2, 2));
         },
         "14"},
        {"GetFontNames(3,3) unset", [](auto& g) { return g.GetFontNames(3, 3); }, ""},
        {"SetFontNames(2,2,Arial)",
         [](auto& g) {
             g.SetFontNames(2, 2, "Arial");
             return g.GetFontNames(2, 2);
         },
         "Arial"},
        {"GetAlignments(3,3) unset", [](auto& g) { return num(g.GetAlignments(3, 3)); }, num(taLeftJustify)},
        {"SetAlignments(2,2,right)",
         [](auto& g) {
             g.SetAlignments(2, 2, taRightJustify);
             return num(g.GetAlignments(2, 2));
         },
         num(taRightJustify)},
        {"SetReadOnly(2,2,true)",
         [](auto& g) {
             g.SetReadOnly(2, 2, true);
             return num(g.GetReadOnly(2, 2));
         },
         "1"},
        {"GetWordWraps(3,3) creates the properties",
         [](auto& g) {
             g.GetWordWraps(3, 3);
             return num(g.CellHasProperties(3, 3));
         },
         "1"},
        {"SetWordWraps(3,3,true)",
         [](auto& g) {
             g.SetWordWraps(3, 3, true);
             return num(g.GetWordWraps(3, 3));
         },
         "1"},
        {"SetCellFont(4,4,Courier 11 italic green)",
         [&font](auto& g) {
             g.SetCellFont(4, 4, font);
             return QStringLiteral("%1 %2 %3 %4")
                 .arg(g.GetFontNames(4, 4))
                 .arg(g.GetFontSizes(4, 4))
                 .arg(g.GetFontStyles(4, 4))
                 .arg(g.GetFontColors(4, 4));
         },
         QStringLiteral("Courier 11 %1 %2").arg(fsItalic).arg(0x00FF00)},
        {"GetCellControls(5,5) unset", [](auto& g) { return num(g.GetCellControls(5, 5) != nullptr); }, "0"},
        {"SetCellControls(5,5,label)",
         [control](auto& g) {
             g.SetCellControls(5, 5, control);
             return QStringLiteral("%1 %2").arg(g.GetCellControls(5, 5) == control).arg(g.NumCellControls());
         },
         "1 1"},
        {"SetCellControls(5,5,nil)",
         [](auto& g) {
             g.SetCellControls(5, 5, nullptr);
             return num(g.NumCellControls());
         },
         "0"},
        // row colours
        {"SetRowColor(1,0x123)",
         [](auto& g) {
             g.SetRowColor(1, 0x123);
             return num(g.GetColors(5, 1));
         },
         num(0x123)},
        {"SetRowColor(1,clNone) drops plain properties",
         [](auto& g) {
             g.SetRowColor(1, clNone);
             return num(g.CellHasProperties(5, 1));
         },
         "0"},
        {"SetRowColorTo(1,0x456)",
         [](auto& g) {
             g.SetRowColorTo(1, 0x456);
             return num(g.GetColorsTo(3, 1));
         },
         num(0x456)},
        {"SetRowColorTo(1,clNone)",
         [](auto& g) {
             g.SetRowColorTo(1, clNone);
             return num(g.CellHasProperties(3, 1));
         },
         "0"},
        {"SetRowFontColor(1,0x789)",
         [](auto& g) {
             g.SetRowFontColor(1, 0x789);
             return num(g.GetFontColors(2, 1));
         },
         num(0x789)},
        // a cell without a brush colour loses its properties, one with the grid's colour keeps them
        {"SetColors(2,1,clNone); SetRowFontColor(1,clNone)",
         [](auto& g) {
             g.SetColors(2, 1, clNone);
             g.SetRowFontColor(1, clNone);
             return QStringLiteral("%1 %2").arg(g.CellHasProperties(2, 1)).arg(g.GetFontColors(3, 1));
         },
         QStringLiteral("0 %1").arg(0x789)},
        // widths, counts, lines
        {"AllColCount()", [](auto& g) { return num(g.AllColCount()); }, "6"},
        {"SetAllColWidths(4,80)",
         [](auto& g) {
             g.SetAllColWidths(4, 80);
             return num(g.ColWidths(4));
         },
         "80"},
        {"HideColumn(4); AllColCount()",
         [](auto& g) {
             g.HideColumn(4);
             return num(g.AllColCount());
         },
         "6"},
        {"GetAllColWidths(4) hidden", [](auto& g) { return num(g.GetAllColWidths(4)); }, "80"},
        {"SetAllColWidths(4,90) hidden",
         [](auto& g) {
             g.SetAllColWidths(4, 90);
             return num(g.GetAllColWidths(4));
         },
         "90"},
        {"UnHideColumn(4) shows width 90",
         [](auto& g) {
             g.UnHideColumn(4);
             return num(g.ColWidths(4));
         },
         "90"},
        {"GetLinesInCell(3,4) empty", [](auto& g) { return num(g.GetLinesInCell(3, 4)); }, "1"},
        {"GetLinesInCell(3,4) two breaks",
         [](auto& g) {
             g.SetCells(3, 4, "a\rb\rc");
             return num(g.GetLinesInCell(3, 4));
         },
         "3"},
        // wide and Ex accessors, objects
        {"SetWideCells(3,1,wide)",
         [](auto& g) {
             g.SetWideCells(3, 1, "wide");
             return g.GetWideCells(3, 1);
         },
         "wide"},
        {"HideRow(3); SetWideCellsEx(2,3,hid)",
         [](auto& g) {
             g.HideRow(3);
             g.SetWideCellsEx(2, 3, "hid");
             return g.GetWideCellsEx(2, 3);
         },
         "hid"},
        {"GetGridCellsEx(1,3) hidden row", [](auto& g) { return g.GetGridCellsEx(1, 3); }, "a"},
        {"SetGridCellsEx(5,4,x) shown row",
         [](auto& g) {
             g.SetGridCellsEx(5, 4, "x");
             return g.Cells(5, 3);
         },
         "x"},
        {"SetObjectsEx(1,4,obj)",
         [](auto& g) {
             g.SetObjectsEx(1, 4, &userObject);
             return num(g.GetObjectsEx(1, 4) == &userObject);
         },
         "1"},
        {"GridObjectByRealRow(1,4) is the properties",
         [](auto& g) { return num(dynamic_cast<TCellProperties*>(g.GridObjectByRealRow(1, 4)) != nullptr); }, "1"},
        {"UnHideRow(3); GetObjectsEx(1,4)",
         [](auto& g) {
             g.UnHideRow(3);
             return num(g.GetObjectsEx(1, 4) == &userObject);
         },
         "1"},
        // selected cells
        {"SetSelection(2,1,4,3); SelectedCellsCount()",
         [](auto& g) {
             g.SetSelection({2, 1, 4, 3});
             return num(g.SelectedCellsCount());
         },
         "9"},
        {"GetSelectedCell(0)", [](auto& g) { return point(g.GetSelectedCell(0)); }, "2,1"},
        {"GetSelectedCell(3)", [](auto& g) { return point(g.GetSelectedCell(3)); }, "3,1"},
        {"SelectedCells[3,2]", [](auto& g) { return num(g.GetSelectedCells(3, 2)); }, "1"},
        {"SelectedCells[5,2]", [](auto& g) { return num(g.GetSelectedCells(5, 2)); }, "0"},
        {"SelectedRowCount()", [](auto& g) { return num(g.SelectedRowCount()); }, "3"},
        {"SelectedColCount()", [](auto& g) { return num(g.SelectedColCount()); }, "3"},
        {"GetSelectedRow(0)", [](auto& g) { return num(g.GetSelectedRow(0)); }, "1"},
        {"GetSelectedRow(3)", [](auto& g) { return num(g.GetSelectedRow(3)); }, "-1"},
        {"SetSelectedCells(5,5,true) then false",
         [](auto& g) {
             g.SetSelectedCells(5, 5, true);
             const int with = g.SelectedCellList().Count();
             g.SetSelectedCells(5, 5, false);
             return QStringLiteral("%1 %2").arg(with).arg(g.SelectedCellList().Count());
         },
         "10 9"},
        {"ClearSelectedCells()",
         [](auto& g) {
             g.ClearSelectedCells();
             return QStringLiteral("%1 %2").arg(g.SelectedCellsCount()).arg(point(g.GetSelectedCell(0)));
         },
         "1 1,1"},
        {"ClearModifiedRows()",
         [](auto& g) {
             g.SetRowModified(2, true);
             g.SetRowModified(9, true);
             g.ClearModifiedRows();
             return num(g.ModifiedRowCount());
         },
         "0"},
        {"RegisterSelListener; FocusCell(3,2)",
         [&listener](auto& g) {
             g.RegisterSelListener(&listener);
             g.FocusCell(3, 2, true);
             return listener.seen.join(' ');
         },
         "3,2"},
        {"UnRegisterSelListener; FocusCell(4,2)",
         [&listener](auto& g) {
             g.UnRegisterSelListener(&listener);
             g.FocusCell(4, 2, true);
             return listener.seen.join(' ');
         },
         "3,2"},
        // rows before the last sort: column 1 read a, b, c, d, e after it
        {"UnSortedRowIndex(2) unsorted", [](auto& g) { return num(g.UnSortedRowIndex(2)); }, "2"},
        {"InitSortXRef; Sort(1, ascending); column 1",
         [](auto& g) {
             g.InitSortXRef();
             g.Sort(1, sdAscending);
             QStringList col;
             for (int r = 1; r <= 5; ++r)
                 col << g.Cells(1, r);
             return col.join(',');
         },
         "a,b,c,d,e"},
        {"GetUnSortedCell(1,1)", [](auto& g) { return g.GetUnSortedCell(1, 1); }, "d"},
        {"GetUnSortedCell(1,3)", [](auto& g) { return g.GetUnSortedCell(1, 3); }, "a"},
        {"SetUnSortedCell(2,4,u)",
         [](auto& g) {
             g.SetUnSortedCell(2, 4, "u");
             return g.Cells(2, 3);
         },
         "u"},
        {"GetUnSortedCell(1,9) beyond the list",
         [](auto& g) {
             g.SetCells(1, 9, "far");
             return g.GetUnSortedCell(1, 9);
         },
         "far"},
        {"SortedRowIndex(1)", [](auto& g) { return num(g.SortedRowIndex(1)); }, "3"},
        {"UnSortedRowIndex(1)", [](auto& g) { return num(g.UnSortedRowIndex(1)); }, "4"},
        {"UnSortedRowIndex(40) not in the list", [](auto& g) { return num(g.UnSortedRowIndex(40)); }, "6"},
        // columns before any move: column 1 dragged to position 3
        {"GetOriginalCells(1,1) unmoved", [](auto& g) { return g.GetOriginalCells(1, 1); }, "a"},
        {"MoveColumn(1,3); Cells(3,1)",
         [](auto& g) {
             g.MoveColumn(1, 3);
             return g.Cells(3, 1);
         },
         "a"},
        {"GetOriginalCells(1,2)", [](auto& g) { return g.GetOriginalCells(1, 2); }, "b"},
        {"SetOriginalCells(1,5,E)",
         [](auto& g) {
             g.SetOriginalCells(1, 5, "E");
             return g.Cells(3, 5);
         },
         "E"},
        {"GetOriginalCells(0,1) fixed column stays",
         [](auto& g) {
             g.SetCells(0, 1, "h");
             return g.GetOriginalCells(0, 1);
         },
         "h"},
        // rich text
        {"RichToCell(2,5,editor)",
         [](auto& g) {
             TQvRichEdit* re = g.RichEdit();
             re->setPlainText("rich");
             g.RichToCell(2, 5, re);
             return QStringLiteral("%1 %2")
                 .arg(g.Cells(2, 5) == g.RichToString(re))
                 .arg(g.Cells(2, 5).contains("rich"));
         },
         "1 1"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.run(g), c.expected) << c.call;
}

// Hide column 1 of 6 and edit displayed column 3 (real column 4): Undo and Redo put the cursor
// back on displayed column 3, where the user typed.
TEST(QvGridCellAccess, UndoAndRedoWithAHiddenColumnReturnToTheEditedColumn)
{
    QWidget window;
    auto* lay = new QVBoxLayout(&window);
    auto* g = new TQvStringGrid(&window);
    lay->addWidget(g);
    window.resize(600, 300);
    g->SetColCount(6);
    g->SetRowCount(5);
    g->SetOptions(g->Options() | goEditing);
    VOreRizeZuvuZira history;
    g->SetUndoRedo(&history);
    g->SetCells(4, 2, QStringLiteral("before"));
    g->HideColumn(1);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    g->setFocus();
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->CellRect(3, 2).toQRect().center());
    QApplication::processEvents();
    ASSERT_EQ(g->Col(), 3);
    // Keys go where the user's keys go: the first opens the editor, which takes the rest.
    for (const QChar c : QStringLiteral("after")) {
        QTest::keyClicks(QApplication::focusWidget(), QString(c));
        QApplication::processEvents();
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QApplication::processEvents();
    ASSERT_EQ(g->Cells(4, 2), QStringLiteral("after"));
    ASSERT_EQ(history.Items().size(), 1u);
    EXPECT_EQ(history.Items()[0].Col, 4); // real column
    EXPECT_EQ(history.Items()[0].Row, 2);

    g->FocusCell(1, 4, true);
    history.Undo();
    EXPECT_EQ(g->Cells(4, 2), QStringLiteral("before"));
    EXPECT_EQ(g->Col(), 3);
    EXPECT_EQ(g->Row(), 2);
    g->FocusCell(1, 4, true);
    history.Redo();
    EXPECT_EQ(g->Cells(4, 2), QStringLiteral("after"));
    EXPECT_EQ(g->Col(), 3);
    EXPECT_EQ(g->Row(), 2);
    g->SetUndoRedo(nullptr);
}

// Only the first 512 real columns take part in hiding: from there both mappings are identities.
TEST(QvGridCellAccess, ColumnMappingBeyondTheHideableColumns)
{
    TQvStringGrid g;
    g.SetColCount(700);
    g.HideColumn(1);
    struct Case {
        const char* call;
        int got, expected;
    };
    const Case cases[] = {
        {"RealColIndex(600)", g.RealColIndex(600), 600},
        {"DisplColIndex(600)", g.DisplColIndex(600), 600},
        {"RealColIndex(512)", g.RealColIndex(512), 512},
        {"DisplColIndex(512)", g.DisplColIndex(512), 512},
        {"RealColIndex(3)", g.RealColIndex(3), 4},
        {"DisplColIndex(4)", g.DisplColIndex(4), 3},
        {"RealColIndex(511) not held by the first 512", g.RealColIndex(511), 0},
        {"RealColIndex(510)", g.RealColIndex(510), 511},
        {"IsHiddenColumn(600)", g.IsHiddenColumn(600), 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.got, c.expected) << c.call;
}

TEST(QvGridCellAccess, TopRowWriterIgnoresRowsOutsideTheScrollableOnes)
{
    QWidget window;
    auto* g = new TQvStringGrid(&window);
    g->resize(300, 120);
    g->SetRowCount(50);
    window.show();
    g->SetTopRow(10);
    ASSERT_EQ(g->TopRow(), 10);
    g->SetTopRow(0); // below FixedRows
    EXPECT_EQ(g->TopRow(), 10);
    g->SetTopRow(50); // beyond the last row
    EXPECT_EQ(g->TopRow(), 10);
    g->SetTopRowEx(-3);
    EXPECT_EQ(g->TopRow(), 10);
    g->SetTopRowEx(12);
    EXPECT_EQ(g->GetTopRowEx(), 12);
}

TEST(QvGridCellAccess, LargeTextHintsSitOnTheCellByDefault)
{
    TQvStringGrid g;
    EXPECT_EQ(g.HintShowLargeTextPos, TQvStringGrid::hpCell);
}
