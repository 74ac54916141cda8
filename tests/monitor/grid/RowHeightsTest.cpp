#include "monitor/grid/RowHeights.h"

#include <gtest/gtest.h>

#include <random>

namespace baudrill {
namespace {

// A plain list of heights: what RowHeights must agree with.
struct NaiveRows {
    std::vector<int> heights;
};

// Every row's top is the sum of the rows before it; the first and last pixel of a row with
// a height find that row; rows of height 0 are never found.
void expectSame(const RowHeights& rows, const NaiveRows& naive)
{
    ASSERT_EQ(rows.count(), static_cast<int>(naive.heights.size()));
    std::int64_t top = 0;
    for (int i = 0; i < rows.count(); ++i) {
        ASSERT_EQ(rows.top(i), top) << "top of row " << i;
        const int height = naive.heights[i];
        ASSERT_EQ(rows.height(i), height);
        if (height > 0) {
            ASSERT_EQ(rows.rowAt(top), i) << "first pixel of row " << i;
            ASSERT_EQ(rows.rowAt(top + height - 1), i) << "last pixel of row " << i;
        }
        top += height;
    }
    ASSERT_EQ(rows.total(), top);
    ASSERT_EQ(rows.rowAt(top), -1);
    ASSERT_EQ(rows.rowAt(-1), -1);
}

TEST(RowHeightsTest, TopsAndLookupsFollowEveryChange)
{
    RowHeights rows;
    NaiveRows naive;
    std::mt19937 random(7);
    auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    for (int step = 0; step < 300; ++step) {
        const int choice = pick(0, 9);
        if (choice < 5 && !naive.heights.empty()) {
            const int row = pick(0, static_cast<int>(naive.heights.size()) - 1);
            const int height = pick(0, 30);  // 0 too: such rows hold no position
            rows.set(row, height);
            naive.heights[row] = height;
        } else {
            // Grow by a few rows (appended one by one), by many (rebuilt) or shrink.
            const int count = choice < 7   ? static_cast<int>(naive.heights.size()) + pick(1, 5)
                              : choice < 9 ? static_cast<int>(naive.heights.size()) + pick(65, 120)
                                           : pick(0, static_cast<int>(naive.heights.size()));
            const int height = pick(1, 20);
            rows.resize(count, height);
            naive.heights.resize(count, height);
        }
        expectSame(rows, naive);
    }
}

TEST(RowHeightsTest, EdgesOfTheList)
{
    RowHeights rows;
    EXPECT_EQ(rows.total(), 0);
    EXPECT_EQ(rows.rowAt(0), -1);
    rows.resize(3, 10);
    EXPECT_EQ(rows.rowAt(-1), -1);
    EXPECT_EQ(rows.rowAt(0), 0);
    EXPECT_EQ(rows.rowAt(29), 2);
    EXPECT_EQ(rows.rowAt(30), -1);
    rows.set(1, -5);  // negative counts as nothing
    EXPECT_EQ(rows.height(1), 0);
    EXPECT_EQ(rows.rowAt(10), 2);
    rows.set(3, 50);  // outside: ignored
    rows.set(-1, 50);
    EXPECT_EQ(rows.total(), 20);
    EXPECT_EQ(rows.height(7), 0);
    EXPECT_EQ(rows.top(99), 20);
}

TEST(RowHeightsTest, TotalsBeyondThirtyTwoBits)
{
    RowHeights rows;
    rows.resize(1000, 3'000'000);
    EXPECT_EQ(rows.total(), std::int64_t{3'000'000'000});
    EXPECT_EQ(rows.rowAt(std::int64_t{2'999'999'999}), 999);
}

}  // namespace
}  // namespace baudrill
