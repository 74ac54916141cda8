#pragma once

#include <cstdint>
#include <vector>

namespace baudrill {

// The heights of a list of rows with running totals, so that setting one row's height,
// finding a row's top and finding the row at a position all take logarithmic time, however
// many rows there are (a Fenwick tree over the heights).
class RowHeights {
public:
    int count() const { return static_cast<int>(heights_.size()); }

    // Grows with rows of `defaultHeight` or drops rows from the end.
    void resize(int count, int defaultHeight);

    // Negative heights count as 0. Rows outside the list are ignored.
    void set(int row, int height);
    int height(int row) const;

    // Sum of the heights of the rows before `row`; `row` may be count() (the total).
    std::int64_t top(int row) const;
    std::int64_t total() const { return top(count()); }

    // The row whose span [top, top + height) holds `y`, or -1 when none does.
    int rowAt(std::int64_t y) const;

private:
    void rebuild();
    void append(int height);

    std::vector<int> heights_;
    std::vector<std::int64_t> tree_{0};  // 1-based; tree_[i] sums rows (i - lowbit(i), i]
};

}  // namespace baudrill
