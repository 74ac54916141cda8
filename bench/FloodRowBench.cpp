// The event loop's cost of one received notice when a device floods without pauses, so that
// one row grows for as long as the flood lasts. Each benchmark runs a small row (the baseline)
// beside a 256 MiB one, on a port that is shown in the log grid of an offscreen window: one
// iteration is one notice through the port's queue and the event loop, repaint included.
//
// - NoticeAppendedToRow: the notice is appended to the row. Before every notice the row is
//   made anew without room to spare, so every notice meets the worst case: the row must grow.
// - NoticeStartingNextRow: the notice starts a new row, so the long row is handed to the log
//   writer (which is never started here, so nothing is written).
//
// The port is in ASCII mode: what decoding costs is measured by the grammar benchmarks.

#include "bench/BenchApplication.h"
#include "monitor/log/Logger.h"
#include "monitor/port/SerPort.h"
#include "tests/support/gui/PortHarness.h"
#include "tests/support/TempFolder.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <memory>
#include <string>

namespace baudrill {
namespace {

constexpr std::size_t NoticeBytes = 4096;

// Made before the first widget.
struct Application {
    Application() { bench::EnsureApplication(); }
};

// A shown port on a fake device in a window of the usual size, its handlers bound.
struct ShownPort {
    ShownPort()
    {
        for (const auto& [title, ratio] : {std::pair{"", 4}, {"  Time", 11}, {"  Protocol", 11}, {"  Dump", 90}})
            harness.window.logGrid.addColumn(QString::fromLatin1(title), ratio);
        harness.window.show();
        harness.window.resize(1000, 700);
        QApplication::processEvents();
        port = harness.MakePort();
        port->active = true;
        port->Activate();
        QApplication::processEvents();
    }

    // One notice as the worker posts it and the main window's timer runs it.
    void Notice(const std::string& bytes, bool newRow)
    {
        port->Post(&SerPort::OnReceive, std::string(bytes), uint32_t{0}, newRow);
        port->ProcessAll();
        QApplication::processEvents();
    }

    // The log holds one received row of `size` bytes, with no room to grow, shown in the grid.
    void ResetRow(std::size_t size)
    {
        port->rows.clear();
        port->RefreshGrid(true);
        LogLine row;
        row.direction = RowReceived;
        row.data = std::string(size, 'x');
        row.timeText = "00:00.000";
        port->rows.push_back(std::move(row));
        port->RefreshGrid(false);
        QApplication::processEvents();
    }

    Application application;
    test::PortHarness harness;
    std::unique_ptr<SerPort> port;
};

void BM_NoticeAppendedToRow(benchmark::State& state)
{
    ShownPort shown;
    const std::string notice(NoticeBytes, 'n');
    const auto rowBytes = static_cast<std::size_t>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        shown.ResetRow(rowBytes);
        state.ResumeTiming();
        shown.Notice(notice, false);
    }
    if (shown.port->rows.size() != 1 || shown.port->rows[0].data.size() != rowBytes + NoticeBytes)
        state.SkipWithError("the notice did not reach the row");
}
BENCHMARK(BM_NoticeAppendedToRow)->Arg(4 << 10)->Arg(256 << 20)->Iterations(20)->Unit(benchmark::kMillisecond);

void BM_NoticeStartingNextRow(benchmark::State& state)
{
    ShownPort shown;
    test::TempFolder logRoot;
    const std::string notice(NoticeBytes, 'n');
    const auto rowBytes = static_cast<std::size_t>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        shown.ResetRow(rowBytes);
        // Never started: the rows handed over wait in its queue and go with it.
        auto logger = std::make_unique<Logger>(logRoot.Path());
        theLogger = logger.get();
        state.ResumeTiming();
        shown.Notice(notice, true);
        state.PauseTiming();
        theLogger = nullptr;
        logger.reset();
        state.ResumeTiming();
    }
    if (shown.port->rows.size() != 2)
        state.SkipWithError("the notice did not start a row");
}
BENCHMARK(BM_NoticeStartingNextRow)->Arg(4 << 10)->Arg(256 << 20)->Iterations(20)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace baudrill
