// The gap vector against a plain vector doing the same edits: the same elements in the same
// order after every step, owners released when erased, wherever the gap happens to be.

#include "grid/store/GapVector.h"
#include "grid/store/HiddenRows.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

using namespace grid;

namespace {

void expectGapVectorHolds(const TGapVector<std::unique_ptr<int>>& g, const std::vector<int>& plain, int step)
{
    ASSERT_EQ(g.size(), plain.size()) << "step " << step;
    for (std::size_t i = 0; i < plain.size(); ++i)
        ASSERT_EQ(*g[i], plain[i]) << "step " << step << " at " << i;
}

} // namespace

TEST(GapVector, RandomEditsMatchAPlainVector)
{
    std::mt19937 rng(7);
    TGapVector<std::unique_ptr<int>> g;
    std::vector<int> plain;
    int next = 0;
    for (int step = 0; step < 5000; ++step) {
        const std::size_t n = plain.size();
        const int op = int(rng() % 7);
        const std::size_t pos = n ? rng() % (n + 1) : 0;
        if (op <= 1 || n == 0) { // insert one
            g.insert(pos, std::make_unique<int>(next));
            plain.insert(plain.begin() + std::ptrdiff_t(pos), next++);
        } else if (op == 2 && pos < n) { // erase a few
            const std::size_t count = std::min<std::size_t>(n - pos, 1 + rng() % 3);
            g.erase(pos, count);
            plain.erase(plain.begin() + std::ptrdiff_t(pos), plain.begin() + std::ptrdiff_t(pos + count));
        } else if (op == 3 && pos < n) { // take one out
            std::unique_ptr<int> out = g.take(pos);
            ASSERT_EQ(*out, plain[pos]);
            plain.erase(plain.begin() + std::ptrdiff_t(pos));
        } else if (op == 4) {
            g.pop_back();
            plain.pop_back();
        } else if (op == 5 && step % 50 == 0) { // a whole pass through the plain vector
            std::vector<std::unique_ptr<int>> all = g.release();
            EXPECT_TRUE(g.empty());
            g.assign(std::move(all));
        } else {
            g.push_back(std::make_unique<int>(next));
            plain.push_back(next++);
        }
        expectGapVectorHolds(g, plain, step);
    }
}

TEST(GapVector, ErasedOwnersAreReleasedAndPlainValuesFill)
{
    auto shared = std::make_shared<int>(1);
    {
        TGapVector<std::shared_ptr<int>> g;
        for (int i = 0; i < 10; ++i)
            g.push_back(std::shared_ptr<int>(shared));
        EXPECT_EQ(shared.use_count(), 11);
        g.erase(2, 5);
        EXPECT_EQ(shared.use_count(), 6);
        g.pop_back();
        EXPECT_EQ(shared.use_count(), 5);
    }
    EXPECT_EQ(shared.use_count(), 1);

    TGapVector<int> v;
    v.resize(4, 9);
    v.insert(2, 3, 0);
    const std::vector<int> expected{9, 9, 0, 0, 0, 9, 9};
    EXPECT_EQ(std::vector<int>(v.begin(), v.end()), expected);
    v.resize(2);
    EXPECT_EQ(std::vector<int>(v.begin(), v.end()), (std::vector<int>{9, 9}));
}

// Look-ups of the hidden-row store against counting by hand, on random sets of hidden rows.
TEST(HiddenRowStore, LookUpsMatchCountingByHand)
{
    std::mt19937 rng(11);
    for (int round = 0; round < 20; ++round) {
        THiddenRowStore store;
        std::vector<bool> hidden(200, false);
        for (int k = 0; k < 60; ++k) {
            const int r = int(rng() % 200);
            if (hidden[std::size_t(r)])
                continue;
            hidden[std::size_t(r)] = true;
            auto item = std::make_unique<TGridItem>();
            item->FIdx = r;
            store.insert(std::move(item));
        }
        int below = 0;
        int shown = 0;
        for (int r = 0; r < 200; ++r) {
            EXPECT_EQ(store.lowerBound(r), std::size_t(below)) << r;
            EXPECT_EQ(store.find(r) != nullptr, bool(hidden[std::size_t(r)])) << r;
            if (hidden[std::size_t(r)]) {
                ++below;
            } else {
                EXPECT_EQ(store.realFromDispl(shown), r) << "displayed " << shown;
                ++shown;
            }
        }
        const auto run = store.takeRun(50, 99);
        for (std::size_t k = 1; k < run.size(); ++k)
            EXPECT_LT(run[k - 1]->FIdx, run[k]->FIdx);
        for (int r = 50; r < 100; ++r)
            EXPECT_EQ(store.find(r), nullptr);
    }
}
