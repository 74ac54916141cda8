#include "monitor/grid/RowHeights.h"

#include <algorithm>

namespace baudrill {

namespace {

constexpr std::size_t lowbit(std::size_t i) { return i & (~i + 1); }

// Appending one by one costs a logarithm per row; a long run is cheaper rebuilt in one pass.
constexpr int appendLimit = 64;

}  // namespace

void RowHeights::resize(int count, int defaultHeight)
{
    count = std::max(count, 0);
    defaultHeight = std::max(defaultHeight, 0);
    const int old = this->count();
    if (count <= old) {
        // Every tree entry covers only rows at or before its own index, so cutting the end
        // leaves the rest valid.
        heights_.resize(count);
        tree_.resize(static_cast<std::size_t>(count) + 1);
    } else if (count - old <= appendLimit) {
        for (int i = old; i < count; ++i)
            append(defaultHeight);
    } else {
        heights_.resize(count, defaultHeight);
        rebuild();
    }
}

void RowHeights::append(int height)
{
    heights_.push_back(height);
    const std::size_t i = heights_.size();
    // tree_[i] covers rows (i - lowbit(i), i]: this row plus the ones before it in that range.
    tree_.push_back(height + top(static_cast<int>(i - 1)) - top(static_cast<int>(i - lowbit(i))));
}

void RowHeights::rebuild()
{
    const std::size_t n = heights_.size();
    tree_.assign(n + 1, 0);
    for (std::size_t i = 1; i <= n; ++i) {
        tree_[i] += heights_[i - 1];
        const std::size_t parent = i + lowbit(i);
        if (parent <= n)
            tree_[parent] += tree_[i];
    }
}

void RowHeights::set(int row, int height)
{
    if (row < 0 || row >= count())
        return;
    height = std::max(height, 0);
    const std::int64_t delta = height - heights_[row];
    if (delta == 0)
        return;
    heights_[row] = height;
    for (std::size_t i = static_cast<std::size_t>(row) + 1; i < tree_.size(); i += lowbit(i))
        tree_[i] += delta;
}

int RowHeights::height(int row) const { return row >= 0 && row < count() ? heights_[row] : 0; }

std::int64_t RowHeights::top(int row) const
{
    std::int64_t sum = 0;
    for (std::size_t i = static_cast<std::size_t>(std::clamp(row, 0, count())); i > 0; i -= lowbit(i))
        sum += tree_[i];
    return sum;
}

int RowHeights::rowAt(std::int64_t y) const
{
    if (y < 0)
        return -1;
    // Walk down the tree, taking every block that still ends at or above y.
    const std::size_t n = heights_.size();
    std::size_t pos = 0;
    std::size_t step = 1;
    while (step * 2 <= n)
        step *= 2;
    for (; step > 0; step /= 2) {
        if (pos + step <= n && tree_[pos + step] <= y) {
            pos += step;
            y -= tree_[pos];
        }
    }
    return pos < n ? static_cast<int>(pos) : -1;
}

}  // namespace baudrill
