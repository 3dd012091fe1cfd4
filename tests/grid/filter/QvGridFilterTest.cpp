// Filtering: the condition collection, the row test (operations, text kinds, prefix and
// suffix, literal matching, evaluator failures), filter levels and their exact return,
// incremental narrowing, and the drop-down pick handlers.

#include "grid/QvGrid.h"
#include "grid/look/ZirAzur.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace grid;

namespace {

// One fixed row, then the texts of column 1 (column 2 holds "x" + the text), one row each.
void fill(TQvStringGrid& g, const QStringList& texts)
{
    g.SetColCount(4);
    g.SetRowCount(int(texts.size()) + 1);
    g.SetFixedRows(1);
    g.SetCells(1, 0, QStringLiteral("head"));
    for (int i = 0; i < texts.size(); ++i) {
        g.SetCells(1, i + 1, texts[i]);
        g.SetCells(2, i + 1, QLatin1Char('x') + texts[i]);
    }
}

QStringList shown(TQvStringGrid& g, int col = 1)
{
    QStringList out;
    for (int r = g.FixedRows(); r < g.RowCount(); ++r)
        out << g.Cells(col, r);
    return out;
}

// ---- the collection --------------------------------------------------------------------------

TEST(QvGridFilterCollection, OperationsOfAddInsertAndColumnLookups)
{
    TQvStringGrid g;
    TFilter& f = g.Filter();
    EXPECT_EQ(f.Add()->Operation, foNONE);
    EXPECT_EQ(f.Add()->Operation, foAND);
    TFilterData* inserted = f.Insert(0);
    EXPECT_EQ(inserted->Operation, foSHORT);
    ASSERT_EQ(f.Count(), 3);
    EXPECT_EQ(&f.Items(2), inserted); // appended whatever the index

    f.Clear();
    TFilterData* first = f.GetColFilter(5);
    EXPECT_EQ(f.Count(), 1);
    EXPECT_EQ(first->Column, 5);
    EXPECT_EQ(f.GetColFilter(5), first);
    EXPECT_EQ(f.Count(), 1);

    f.Add()->Column = 5;
    f.Add()->Column = 1;
    EXPECT_TRUE(f.HasFilter(5));
    f.RemoveColumnFilter(5);
    EXPECT_FALSE(f.HasFilter(5));
    ASSERT_EQ(f.Count(), 1);
    EXPECT_EQ(f.Items(0).Column, 1);

    TFilterData defaults;
    EXPECT_TRUE(defaults.CaseSensitive);
    EXPECT_EQ(defaults.Data, fcVirtual);
    EXPECT_EQ(defaults.Method, fmExpression);
    EXPECT_EQ(defaults.Operation, foSHORT);
}

// ---- the row test ----------------------------------------------------------------------------

struct RowCase {
    const char* name;
    QString text;
    TFilterData condition;
    bool passes;
};

TFilterData cond(const char* c, TFilterCells data = fcVirtual, TFilterMethod m = fmExpression, bool cs = true,
                 const char* prefix = "", const char* suffix = "")
{
    TFilterData f;
    f.Column = 1;
    f.Condition = QString::fromUtf8(c);
    f.Data = data;
    f.Method = m;
    f.CaseSensitive = cs;
    f.Prefix = QString::fromUtf8(prefix);
    f.Suffix = QString::fromUtf8(suffix);
    return f;
}

TEST(QvGridFilterRowTest, OneConditionOnOneCell)
{
    const RowCase cases[] = {
        {"prefix and suffix go", "$12%", cond("12", fcNormal, fmLiteral, true, "$", "%"), true},
        {"only the last suffix goes", "5%5%", cond("5%5", fcNormal, fmLiteral, true, "$", "%"), true},
        {"prefix with a comparison", "$150", cond(">100", fcNormal, fmExpression, true, "$"), true},
        {"literal ignores the case switch", "ABC", cond("abc", fcNormal, fmLiteral, false), false},
        {"literal equal text", "abc", cond("abc", fcNormal, fmLiteral, false), true},
        {"expression without case", "ABC", cond("a*", fcNormal, fmExpression, false), true},
        {"expression with case", "ABC", cond("a*", fcNormal, fmExpression, true), false},
        {"the text is trimmed", "  abc  ", cond("abc", fcNormal, fmLiteral), true},
        {"an empty condition passes", "anything", cond("", fcNormal), true},
        {"row text contains, a-z folded", "hello", cond("LL", fcRow), true},
        {"row text holds the other cells", "hello", cond("XHE", fcRow), true},
        {"row text without the condition", "hello", cond("zz", fcRow), false},
        {"wide text is decoded", QStringLiteral("|\\") + QChar(0) + QChar(u'A'), cond("A", fcNormal, fmLiteral), true},
    };
    for (const RowCase& c : cases) {
        TQvStringGrid g;
        fill(g, {c.text});
        g.Filter().Add()->Assign(c.condition);
        EXPECT_EQ(g.RowMatchesFilter(1), c.passes) << c.name;
    }
}

// Plain patterns take a short way past the evaluator's parsing; every answer must still be the
// evaluator's.
TEST(QvGridFilterRowTest, EveryConditionAnswersAsTheEvaluatorDoes)
{
    const QString conditions[] = {"*7*",   "7*", "*7", "?7*", "a*b*c", "A*", "a?c", "=*b*", " * 7 * ", "\"a b\"",
                                  "*a b*", "**", "*",  "",    "!7*",   ">5", "a|b", "(a*)", "x*y*",    "*?*?"};
    const QString values[] = {"", "7", "17", "170", "abc", "ABC", "aXbYc", "a b", "ab", "x7y", "5", "6", "b"};
    TQvStringGrid g;
    g.SetColCount(2);
    g.SetRowCount(2);
    TFilterData* f = g.Filter().Add();
    f->Column = 1;
    f->Data = fcNormal;
    for (bool cs : {true, false})
        for (const QString& c : conditions)
            for (const QString& v : values) {
                f->Condition = c;
                f->CaseSensitive = cs;
                g.SetCells(1, 0, v);
                const bool expected = c.isEmpty() || ZirAzur::EvalFilterCondition(c, v, cs);
                EXPECT_EQ(g.RowMatchesFilter(0), expected) << c.toStdString() << " / " << v.toStdString() << cs;
            }
}

TEST(QvGridFilterRowTest, AFailingShortConditionStopsBeforeALaterOr)
{
    TQvStringGrid g;
    g.SetColCount(3);
    g.SetRowCount(4);
    const char* rows[][2] = {{"Ax", "zz"}, {"Bx", "Bx"}, {"zz", "Bz"}};
    for (int r = 0; r < 3; ++r) {
        g.SetCells(1, r, QString::fromUtf8(rows[r][0]));
        g.SetCells(2, r, QString::fromUtf8(rows[r][1]));
    }
    TFilterData* a = g.Filter().Insert(0);
    a->Column = 1;
    a->Condition = QStringLiteral("A*");
    TFilterData* b = g.Filter().Add();
    b->Column = 2;
    b->Condition = QStringLiteral("B*");
    b->Operation = foOR;
    EXPECT_TRUE(g.RowMatchesFilter(0));
    EXPECT_FALSE(g.RowMatchesFilter(1)); // column 2 would pass, but it is never reached
    EXPECT_FALSE(g.RowMatchesFilter(2));

    a->Operation = foNONE; // the same pair without the short cut
    EXPECT_TRUE(g.RowMatchesFilter(1));
}

// The calculated text of a cell that cannot be computed.
class ThrowingGrid : public TQvStringGrid {
public:
    QString GetFormulaCellText(int ACol, int ARow) override
    {
        if (Cells(ACol, ARow) == QLatin1String("bad"))
            throw std::runtime_error("cannot compute");
        return Cells(ACol, ARow);
    }
};

TEST(QvGridFilterRowTest, AnEvaluatorFailureIsNoMatchAndTheWalkGoesOn)
{
    ThrowingGrid g;
    fill(g, {"good", "bad", "good"});
    TFilterData* f = g.Filter().Add();
    f->Column = 1;
    f->Data = fcCalculated;
    f->Condition = QStringLiteral("*");
    g.SetFilterActive(true);
    EXPECT_EQ(shown(g), QStringList({"good", "good"}));
}

TEST(QvGridFilterRowTest, TheCustomEventHasTheLastWord)
{
    TQvStringGrid g;
    fill(g, {"a", "b", "c"});
    std::vector<std::pair<int, bool>> asked;
    g.OnCustomFilter = [&](TQvStringGrid*, int ARow, bool& accept) {
        asked.emplace_back(ARow, accept);
        accept = ARow != 2;
    };
    g.SetFilterActive(true);
    EXPECT_EQ(shown(g), QStringList({"a", "c"}));
    EXPECT_EQ(asked, (std::vector<std::pair<int, bool>>{{1, true}, {2, true}, {3, true}}));
}

// ---- levels ------------------------------------------------------------------------------------

TEST(QvGridFilterLevels, NoConditionsAddALevelAndHideNothing)
{
    TQvStringGrid g;
    fill(g, {"a", "b"});
    g.SetFilterActive(true);
    EXPECT_EQ(g.FilterLevel(), 1);
    EXPECT_EQ(g.RowCount(), 3);
    g.SetFilterActive(false);
    EXPECT_EQ(g.FilterLevel(), 0);
    // Switching off again without a level leaves the count alone.
    g.SetFilterActive(true);
    g.RemoveAllFilters();
    g.SetFilterActive(false);
    EXPECT_EQ(g.FilterLevel(), 0);
}

TEST(QvGridFilterLevels, ProgressIsTheRoundedShareOfTestedRowsThenTheLastAgain)
{
    TQvStringGrid g;
    fill(g, {"a", "b", "c", "d"});
    std::vector<int> seen;
    g.OnFilterProgress = [&](TQvStringGrid*, short p) { seen.push_back(p); };
    g.SetFilterActive(true);
    EXPECT_EQ(seen, (std::vector<int>{25, 50, 75, 100, 100}));
}

TEST(QvGridFilterLevels, ANodeRowIsNeitherTestedNorCountedWithNormalCellsOnly)
{
    TQvStringGrid g;
    fill(g, {"node", "a", "b", "c", "d"});
    g.AddNode(1, 2);
    TFilterData* f = g.Filter().Add();
    f->Column = 1;
    f->Condition = QStringLiteral("a");
    std::vector<int> seen;
    g.OnFilterProgress = [&](TQvStringGrid*, short p) { seen.push_back(p); };
    g.SetFilterActive(true);
    EXPECT_EQ(shown(g), QStringList({"node", "a"}));
    EXPECT_EQ(seen, (std::vector<int>{20, 40, 60, 80, 80}));
}

TEST(QvGridFilterLevels, RemoveLastFilterAnswersWhetherMoreThanOneLevelRemains)
{
    TQvStringGrid g;
    fill(g, {"a", "ab", "abc"});
    EXPECT_FALSE(g.RemoveLastFilter());
    for (int i = 0; i < 3; ++i)
        g.ApplyFilter();
    EXPECT_EQ(g.FilterLevel(), 3);
    EXPECT_TRUE(g.RemoveLastFilter());
    EXPECT_FALSE(g.RemoveLastFilter());
    EXPECT_FALSE(g.RemoveLastFilter());
    EXPECT_EQ(g.FilterLevel(), 0);
    EXPECT_FALSE(g.RemoveLastFilter());
}

TEST(QvGridFilterLevels, RemoveAllFiltersKeepsTheConditionsWhileLevelsExist)
{
    TQvStringGrid g;
    fill(g, {"a", "b"});
    g.Filter().Add()->Column = 1;
    g.ApplyFilter();
    g.RemoveAllFilters();
    EXPECT_EQ(g.FilterLevel(), 0);
    EXPECT_EQ(g.Filter().Count(), 1);
    g.RemoveAllFilters();
    EXPECT_EQ(g.Filter().Count(), 0);
}

TEST(QvGridFilterLevels, FilterRowHidesOneRowOutsideTheLevels)
{
    TQvStringGrid g;
    fill(g, {"a", "b", "c"});
    TFilterData* f = g.Filter().Add();
    f->Column = 1;
    f->Condition = QStringLiteral("!b");
    g.FilterRow(2);
    EXPECT_EQ(shown(g), QStringList({"a", "c"}));
    EXPECT_EQ(g.FilterLevel(), 0);
    EXPECT_TRUE(g.IsHiddenRow(2));
}

TEST(QvGridFilterLevels, HidingEveryNormalRowKeepsTheHeaderRowsWhenSwitchedOff)
{
    TQvStringGrid g;
    fill(g, {"a", "b"});
    TFilterData* f = g.Filter().Add();
    f->Column = 1;
    f->Condition = QStringLiteral("zz");
    g.SetFilterActive(true);
    EXPECT_EQ(g.RowCount(), 1);
    g.SetFilterActive(false);
    EXPECT_EQ(g.FixedRows(), 1);
    EXPECT_EQ(shown(g), QStringList({"a", "b"}));
}

// Everything a row holds, by real row: texts, object identity, brush colour, height, check
// state.
struct Snapshot {
    QStringList texts;
    std::vector<const void*> objects;
    std::vector<TColor> colors;
    std::vector<int> heights;
    std::vector<int> checks;
    bool operator==(const Snapshot&) const = default;
};

Snapshot snapshot(TQvStringGrid& g)
{
    Snapshot s;
    for (int r = 0; r < g.RowCount(); ++r) {
        s.heights.push_back(g.RowHeights(r));
        for (int c = 0; c < g.TotalColCount(); ++c) {
            s.texts << g.Cells(c, r);
            TObject* o = g.Objects(c, r);
            s.objects.push_back(o);
            auto* p = dynamic_cast<TCellProperties*>(o);
            s.colors.push_back(p ? p->BrushColor() : clNone);
        }
        bool state = false;
        s.checks.push_back(g.GetCheckBoxState(3, g.RealRowIndex(r), state) ? int(state) : -1);
    }
    return s;
}

TEST(QvGridFilterLevels, ApplyingAndRemovingLevelsRestoresTheExactGrid)
{
    TQvStringGrid g;
    fill(g, {"apple", "banana", "cherry", "apricot", "avocado", "blueberry", "almond"});
    for (int r = 1; r < g.RowCount(); ++r) {
        g.SetRowHeights(r, 20 + r);
        g.GetCellProperties(2, r)->SetBrushColor(TColor(0x010203 * r));
        g.AddCheckBox(3, r, r % 2 == 0, false);
    }
    g.HideRow(6); // hidden outside filtering throughout
    const Snapshot before = snapshot(g);

    g.NarrowDown(QStringLiteral("a"), 1);
    g.NarrowDown(QStringLiteral("ap"), 1);
    EXPECT_EQ(shown(g), QStringList({"apple", "apricot"}));
    g.NarrowDown(QStringLiteral("a"), 1);
    g.NarrowDown(QStringLiteral(""), 1);
    EXPECT_EQ(snapshot(g), before);

    g.Filter().Clear(); // the narrowing left its condition
    TFilterData* f = g.Filter().Add();
    f->Column = 1;
    f->Condition = QStringLiteral("*e*");
    g.SetFilterActive(true);
    f->Condition = QStringLiteral("c*");
    g.ApplyFilter();
    EXPECT_EQ(shown(g), QStringList({"cherry"}));
    g.RemoveLastFilter();
    g.SetFilterActive(false);
    EXPECT_EQ(snapshot(g), before);
    EXPECT_TRUE(g.IsHiddenRow(6));
}

// ---- incremental narrowing ---------------------------------------------------------------------

TEST(QvGridFilterNarrowDown, ACharacterBackRestoresExactlyWhatItHid)
{
    TQvStringGrid g;
    fill(g, {"Alpha", "beta", "gamma", "ABBA", "delta"});
    g.NarrowDown(QStringLiteral("a"), 1);
    g.NarrowDown(QStringLiteral("ab"), 1);
    EXPECT_EQ(shown(g), QStringList({"ABBA"}));
    EXPECT_EQ(g.FilterLevel(), 2);
    g.NarrowDown(QStringLiteral("a"), 1);
    EXPECT_EQ(g.FilterLevel(), 1);
    EXPECT_EQ(shown(g), QStringList({"Alpha", "beta", "gamma", "ABBA", "delta"}));
    g.NarrowDown(QStringLiteral("ma"), 1); // a jump: all levels go, one is applied
    EXPECT_EQ(g.FilterLevel(), 1);
    EXPECT_EQ(shown(g), QStringList({"gamma"}));
    EXPECT_TRUE(g.FixedRowAlways());
}

TEST(QvGridFilterNarrowDown, ConditionsForAColumnAndForTheWholeRow)
{
    TQvStringGrid g;
    fill(g, {"a b c", "ab", "xa b"});
    g.NarrowDown(QStringLiteral("a"), 1);
    g.NarrowDown(QStringLiteral("a "), 1);
    g.NarrowDown(QStringLiteral("a b"), 1);
    ASSERT_EQ(g.Filter().Count(), 1);
    EXPECT_EQ(g.Filter().Items(0).Condition, QStringLiteral("\"*a b*\""));
    EXPECT_EQ(g.Filter().Items(0).Data, fcNormal);
    EXPECT_FALSE(g.Filter().Items(0).CaseSensitive);
    EXPECT_EQ(g.FilterLevel(), 3);
    EXPECT_EQ(shown(g), QStringList({"a b c", "xa b"}));

    g.NarrowDown(QString(), 1);
    g.NarrowDown(QStringLiteral("XA"), -1);
    EXPECT_EQ(g.Filter().Items(0).Data, fcRow);
    EXPECT_EQ(g.Filter().Items(0).Condition, QStringLiteral("XA"));
    EXPECT_EQ(shown(g), QStringList({"a b c", "ab", "xa b"})); // column 2 holds "x" + the text
}

TEST(QvGridFilterNarrowDown, AnEmptyTextKeepsRowsHiddenOtherwise)
{
    TQvStringGrid g;
    fill(g, {"a1", "b", "a2", "a3"});
    g.SetRowHeights(3, 41);
    g.GetCellProperties(2, 3)->SetBrushColor(0x123456);
    TObject* props = g.Objects(2, 3);
    g.HideRow(3);
    g.NarrowDown(QStringLiteral("a"), 1);
    g.NarrowDown(QStringLiteral("a3"), 1);
    g.NarrowDown(QString(), 1);
    EXPECT_EQ(g.FilterLevel(), 0);
    EXPECT_EQ(shown(g), QStringList({"a1", "b", "a3"}));
    ASSERT_TRUE(g.IsHiddenRow(3));
    g.UnHideRow(3);
    EXPECT_EQ(shown(g), QStringList({"a1", "b", "a2", "a3"}));
    EXPECT_EQ(g.Cells(2, 3), QStringLiteral("xa2"));
    EXPECT_EQ(g.Objects(2, 3), props);
    EXPECT_EQ(g.RowHeights(3), 41);
}

// ---- drop-down picks ---------------------------------------------------------------------------

TEST(QvGridFilterPicks, TheClearEntryRemovesTheColumnsConditionsAndReappliesTheOthers)
{
    TQvStringGrid g;
    fill(g, {"a", "b", "a"});
    g.SetFilterDropDownAuto(true);
    g.Filter().GetColFilter(1)->Condition = QStringLiteral("b");
    g.Filter().GetColFilter(2)->Condition = QStringLiteral("xa");
    g.SetFilterActive(true);
    EXPECT_EQ(g.RowCount(), 1); // nothing passes both

    int done = 0;
    g.OnFilterDone = [&](TQvStringGrid*) { ++done; };
    ASSERT_TRUE(g.ShowFilterDropDown(1));
    ASSERT_EQ(g.FilterDropList().item(0)->text(), QStringLiteral("(All)"));
    g.FilterListSelected(0);
    EXPECT_FALSE(g.Filter().HasFilter(1));
    EXPECT_TRUE(g.Filter().HasFilter(2));
    EXPECT_EQ(shown(g), QStringList({"a", "a"})); // column 2's "xa" still holds
    EXPECT_EQ(g.FilterLevel(), 1);
    EXPECT_EQ(done, 1);
    EXPECT_EQ(g.FilterCol, -1);
}

TEST(QvGridFilterPicks, AValueWithABlankFiltersOnItQuoted)
{
    TQvStringGrid g;
    fill(g, {"x", "y", "x", "two words"});
    g.SetFilterDropDownAuto(true);
    ASSERT_TRUE(g.GetColumnFilter(1));
    EXPECT_EQ(g.FilterList(), QStringList({"(All)", "two words=\"two words\"", "x", "y"}));
    QString seenName, seenCondition;
    g.OnFilterSelect = [&](TQvStringGrid*, int col, int, const QString& name, QString& condition) {
        EXPECT_EQ(col, 1);
        seenName = name;
        seenCondition = condition;
    };
    g.ShowFilterDropDown(1);
    g.FilterListSelected(1);
    EXPECT_EQ(seenName, QStringLiteral("two words"));
    EXPECT_EQ(seenCondition, QStringLiteral("\"two words\""));
    EXPECT_EQ(shown(g), QStringList({"two words"}));
    // The hidden rows' values stay on offer.
    ASSERT_TRUE(g.GetColumnFilter(1));
    EXPECT_EQ(g.FilterList(), QStringList({"(All)", "two words=\"two words\"", "x", "y"}));
}

TEST(QvGridFilterPicks, AnInvalidPickOnlyResetsTheColumn)
{
    TQvStringGrid g;
    fill(g, {"a", "b"});
    g.SetFilterDropDownAuto(true);
    g.ShowFilterDropDown(1);
    g.FilterListSelected(99);
    EXPECT_EQ(g.FilterCol, -1);
    EXPECT_EQ(g.Filter().Count(), 0);
    EXPECT_FALSE(g.FilterActive());
}

TEST(QvGridFilterPicks, TickingTwoValuesJoinsThemByOrAndDropsOtherColumns)
{
    TQvStringGrid g;
    fill(g, {"a", "b", "c", "b"});
    g.SetFilterDropDownAuto(true);
    g.FilterDropDownCheck = true;
    g.Filter().GetColFilter(2)->Condition = QStringLiteral("xa");
    g.ShowFilterDropDown(1);
    TDropCheckList& list = g.FilterDropCheckList();
    ASSERT_EQ(list.count(), 4); // (All), a, b, c
    list.SetChecked(1, true);
    list.SetChecked(3, true);
    ASSERT_EQ(g.Filter().Count(), 2);
    EXPECT_EQ(g.Filter().Items(0).Operation, foNONE);
    EXPECT_EQ(g.Filter().Items(1).Operation, foOR);
    EXPECT_EQ(g.Filter().Items(0).Column, 1);
    EXPECT_EQ(g.Filter().Items(1).Condition, QStringLiteral("c"));
    EXPECT_EQ(shown(g), QStringList({"a", "c"}));
    EXPECT_EQ(g.FilterCol, 1); // the check list stays open on its column
    EXPECT_EQ(g.FilterLevel(), 1);
}

TEST(QvGridFilterSettings, TheDropDownRowMustBeAFixedRow)
{
    TQvStringGrid g;
    fill(g, {"a", "b"});
    g.SetFilterDropDownRow(1);
    EXPECT_EQ(g.FilterDropDownRow(), 0);
    g.SetFixedRows(2);
    g.SetFilterDropDownRow(1);
    EXPECT_EQ(g.FilterDropDownRow(), 1);
}

} // namespace
