// Row heights in the log grid's view: setting a height for every row of a large log (what a
// change of the Dump column's width does) and appending rows one by one as traffic arrives.

#include "bench/BenchApplication.h"
#include "monitor/grid/view/SerPortCtrl.h"

#include <benchmark/benchmark.h>

namespace {

using baudrill::bench::EnsureApplication;

void BM_SetEveryRowHeight(benchmark::State& state)
{
    EnsureApplication();
    const int rows = static_cast<int>(state.range(0));
    baudrill::SerPortCtrl grid;
    grid.resize(600, 400);
    grid.setRowCount(rows);
    int round = 0;
    for (auto _ : state) {
        ++round;
        for (int i = 0; i < rows; ++i)
            grid.setRowHeight(i, 15 + (i + round) % 9);
        benchmark::DoNotOptimize(grid.totalHeight());
    }
    state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(BM_SetEveryRowHeight)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

void BM_AppendRowsFollowingTheEnd(benchmark::State& state)
{
    EnsureApplication();
    const int rows = static_cast<int>(state.range(0));
    for (auto _ : state) {
        baudrill::SerPortCtrl grid;
        grid.resize(600, 400);
        for (int i = 0; i < rows; ++i) {
            grid.setRowCount(i + 1);
            grid.setRowHeight(i, 15 + i % 9);
            grid.scrollToEnd();
        }
        benchmark::DoNotOptimize(grid.scrollPosition());
    }
    state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(BM_AppendRowsFollowingTheEnd)->Arg(100'000)->Unit(benchmark::kMillisecond);

void BM_RowAtPosition(benchmark::State& state)
{
    EnsureApplication();
    constexpr int rows = 1'000'000;
    baudrill::SerPortCtrl grid;
    grid.setRowCount(rows);
    for (int i = 0; i < rows; ++i)
        grid.setRowHeight(i, 15 + i % 9);
    const int total = grid.totalHeight();
    int y = 0;
    for (auto _ : state) {
        y = (y + 7919) % total;
        benchmark::DoNotOptimize(grid.rowAt(y));
    }
}
BENCHMARK(BM_RowAtPosition);

}  // namespace
