// The completion the list pickers share: the typed part, the case rule, the resulting text and
// the selection, case by case.

#include "dropdowns/LookupCompletion.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace dropdowns;

namespace {

struct Case {
    const char* name;
    QStringList items;
    QString text;
    int caret;
    bool matchCase;
    TCompletion::TKind kind;
    int index;
    QString result;
    int selStart;
    int selLength;
};

TCompletion complete(const Case& c)
{
    return CompleteTyped(c.text, c.caret, c.matchCase, int(c.items.size()),
                         [&](int i) -> const QString& { return c.items[i]; });
}

const QStringList kGreek{QStringLiteral("Alpha"), QStringLiteral("Beta"), QStringLiteral("Bravo")};
const QStringList kMixed{QStringLiteral("Alpha"), QStringLiteral("beta"), QStringLiteral("Beta2")};

} // namespace

TEST(LookupCompletion, CompletesTheTypedPartFromTheFirstItemThatStartsWithIt)
{
    const Case cases[] = {
        // The typed letter keeps its case, the rest comes from the item; anchor at the end.
        {"one letter", kGreek, QStringLiteral("b"), 1, false, TCompletion::ckCompleted, 1, QStringLiteral("beta"), 4,
         -3},
        {"two letters", kGreek, QStringLiteral("br"), 2, false, TCompletion::ckCompleted, 2, QStringLiteral("bravo"), 5,
         -3},
        {"whole item", kGreek, QStringLiteral("Beta"), 4, false, TCompletion::ckCompleted, 1, QStringLiteral("Beta"), 4,
         0},
        {"upper typed", kMixed, QStringLiteral("B"), 1, false, TCompletion::ckCompleted, 1, QStringLiteral("Beta"), 4,
         -3},
        {"match case skips beta", kMixed, QStringLiteral("B"), 1, true, TCompletion::ckCompleted, 2,
         QStringLiteral("Beta2"), 5, -4},
        {"match case lower", kMixed, QStringLiteral("b"), 1, true, TCompletion::ckCompleted, 1, QStringLiteral("beta"),
         4, -3},
        // Only the part before the caret is looked up; the text after it is replaced.
        {"caret inside", kGreek, QStringLiteral("Alxpha"), 2, false, TCompletion::ckCompleted, 0,
         QStringLiteral("Alpha"), 5, -3},
        {"no match drops the rest", kGreek, QStringLiteral("Alxpha"), 3, false, TCompletion::ckCut, -1,
         QStringLiteral("Alx"), 3, 0},
        {"no match at the end", kGreek, QStringLiteral("bz"), 2, false, TCompletion::ckCut, -1, QStringLiteral("bz"), 2,
         0},
        // An empty typed part matches nothing and changes nothing.
        {"caret at start", kGreek, QStringLiteral("beta"), 0, false, TCompletion::ckNone, -1, QString(), 0, 0},
        {"empty text", kGreek, QString(), 0, false, TCompletion::ckNone, -1, QString(), 0, 0},
        {"no items", QStringList(), QStringLiteral("b"), 1, false, TCompletion::ckNone, -1, QString(), 0, 0},
        // Items without text never complete.
        {"empty item", QStringList{QString(), QStringLiteral("x")}, QStringLiteral("x"), 1, false,
         TCompletion::ckCompleted, 1, QStringLiteral("x"), 1, 0},
        // Characters are mapped one to one: the sharp s does not grow into two letters.
        {"sharp s", QStringList{QStringLiteral("Straße")}, QStringLiteral("STRAß"), 5, false, TCompletion::ckCompleted,
         0, QStringLiteral("STRAße"), 6, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TCompletion r = complete(c);
        EXPECT_EQ(r.Kind, c.kind);
        EXPECT_EQ(r.Index, c.index);
        EXPECT_EQ(r.Text, c.result);
        EXPECT_EQ(r.SelStart, c.selStart);
        EXPECT_EQ(r.SelLength, c.selLength);
    }
}

TEST(LookupCompletion, CutsAnItemTailLongerThan255Characters)
{
    const QStringList items{QStringLiteral("a") + QString(300, QLatin1Char('x'))};
    const TCompletion r =
        CompleteTyped(QStringLiteral("a"), 1, false, 1, [&](int i) -> const QString& { return items[i]; });
    EXPECT_EQ(r.Text.size(), 1 + kCompletionTailMax);
}

TEST(LookupCompletion, StartsWithKeyComparesUpperCasedUnlessCaseMatters)
{
    EXPECT_TRUE(StartsWithKey(QStringLiteral("beta"), QStringLiteral("BE"), false));
    EXPECT_FALSE(StartsWithKey(QStringLiteral("beta"), QStringLiteral("BE"), true));
    EXPECT_TRUE(StartsWithKey(QStringLiteral("Beta"), QStringLiteral("Be"), true));
    EXPECT_FALSE(StartsWithKey(QStringLiteral("Be"), QStringLiteral("BET"), false));
    EXPECT_FALSE(StartsWithKey(QStringLiteral("Beta"), QString(), false));
}
