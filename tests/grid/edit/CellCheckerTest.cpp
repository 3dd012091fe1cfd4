#include "grid/edit/qsgcheck.h"

#include <gtest/gtest.h>

#include <QMap>
#include <QPair>

using namespace grid;

namespace {

// Upper-cases as its correction and brackets what it marks; counts its start and stop calls.
struct UpperChecker : VAviDadoraVidoRavad {
    int starts = 0, stops = 0;
    QString Correct(int, int, const QString& s) override { return s.toUpper(); }
    QString MarkError(int, int, const QString& s) override
    {
        return QStringLiteral("<e>") + s + QStringLiteral("</e>");
    }
    void StartCheck() override { ++starts; }
    void StopCheck() override { ++stops; }
};

struct Cells {
    QMap<QPair<int, int>, QString> text;
    TPoint current{1, 1};
    QList<TPoint> visited;
    TCheckTarget target()
    {
        return {[this](int c, int r) {
                    return text.value({c, r});
                },
                [this](int c, int r, const QString& s) {
                    text[{c, r}] = s;
                },
                [this](int c, int r) {
                    current = {c, r};
                    visited << current;
                },
                [this] { return current; }};
    }
};

} // namespace

TEST(CellChecker, BaseChangesNothingAndAnswersTrue)
{
    VAviDadoraVidoRavad base;
    base.UseCorrect = base.UseMarkError = base.GotoCell = base.AutoCorrect = base.AutoMarkError = true;
    Cells cells;
    cells.text[{1, 1}] = QStringLiteral("abc");
    cells.text[{2, 1}] = QStringLiteral("x y");
    EXPECT_TRUE(CheckCells(&base, cells.target(), 1, 1, 2, 1));
    EXPECT_EQ(cells.text.value({1, 1}), QStringLiteral("abc"));
    EXPECT_EQ(cells.text.value({2, 1}), QStringLiteral("x y"));
    EXPECT_EQ(base.MarkError(0, 0, QStringLiteral("q")), QStringLiteral("q"));
    EXPECT_EQ(base.Correct(0, 0, QStringLiteral("q")), QStringLiteral("q"));
}

TEST(CellChecker, FlagsDecideTheWrittenText)
{
    struct Case {
        bool correct, mark;
        const char* expected;
    };
    // Both steps see the unmarked text: with both flags the marked text replaces the corrected one.
    const Case cases[] = {
        {false, false, "abc"}, {true, false, "ABC"}, {false, true, "<e>abc</e>"}, {true, true, "<e>abc</e>"}};
    for (const Case& c : cases) {
        UpperChecker chk;
        chk.UseCorrect = c.correct;
        chk.UseMarkError = c.mark;
        Cells cells;
        cells.text[{1, 1}] = QStringLiteral("abc");
        const bool same = CheckCell(&chk, cells.target(), 1, 1);
        EXPECT_EQ(cells.text.value({1, 1}), QString::fromLatin1(c.expected));
        EXPECT_EQ(same, !c.correct && !c.mark);
    }
}

TEST(CellChecker, RangeRunsRowByRowAndReturnsToTheCell)
{
    UpperChecker chk;
    chk.GotoCell = true;
    Cells cells;
    cells.current = {3, 3};
    EXPECT_TRUE(CheckCells(&chk, cells.target(), 1, 1, 2, 2));
    const QList<TPoint> order = {{1, 1}, {2, 1}, {1, 2}, {2, 2}, {3, 3}};
    EXPECT_EQ(cells.visited, order);
    EXPECT_EQ(cells.current, (TPoint{3, 3}));
    EXPECT_EQ(chk.starts, 1);
    EXPECT_EQ(chk.stops, 1);
}

TEST(CellChecker, EmptyRangeStillStartsAndStops)
{
    UpperChecker chk;
    Cells cells;
    EXPECT_TRUE(CheckCells(&chk, cells.target(), 2, 2, 1, 1));
    EXPECT_EQ(chk.starts, 1);
    EXPECT_EQ(chk.stops, 1);
    EXPECT_TRUE(cells.visited.isEmpty()); // GotoCell off: the current cell stays
}

TEST(CellChecker, WithoutCheckerEverythingPasses)
{
    Cells cells;
    EXPECT_TRUE(CheckCells(nullptr, cells.target(), 1, 1, 5, 5));
    EXPECT_TRUE(CheckCell(nullptr, cells.target(), 1, 1));
}
