// Ingest of a flooded line: the port worker (the real SThread over the POSIX device) next to a
// plain poll-and-read loop, each on a pseudo-terminal whose peer writes 64 KiB blocks as fast as
// the line takes them. Bytes per second count the peer's bytes that arrived (for the worker: that
// were posted and run); each run checks that every byte arrived once, in order. The worker's
// "of_plain" counter is its rate as a share of the plain loop's rate in the same run (over all
// its repetitions).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "monitor/threads/SThread.h"
#include "platform/Termios2.h"
#include "serial/SerialPort.h"
#include "tests/support/PtyPair.h"

namespace baudrill {
namespace {

using namespace std::chrono_literals;
using SteadyClock = std::chrono::steady_clock;

constexpr std::size_t BlockSize = 64 * 1024;
constexpr uint64_t BytesPerRun = uint64_t{64} << 20;
constexpr unsigned PatternPeriod = 251;  // prime to every read size: a lost chunk shows
constexpr auto GiveUpAfter = 60s;

char PatternAt(uint64_t position) { return static_cast<char>(position % PatternPeriod); }

// The peer: writes BytesPerRun bytes of the pattern, from stream position `start` on, into the
// master end in 64 KiB blocks.
class FloodingPeer {
public:
    FloodingPeer(int fd, uint64_t start) : fd(fd), start(start), pattern(BlockSize + PatternPeriod)
    {
        for (std::size_t i = 0; i < pattern.size(); ++i)
            pattern[i] = PatternAt(i);
        thread = std::thread([this] { Flood(); });
    }
    ~FloodingPeer() { thread.join(); }
    FloodingPeer(const FloodingPeer&) = delete;
    FloodingPeer& operator=(const FloodingPeer&) = delete;

    bool Failed() const { return failed.load(); }

private:
    void Flood()
    {
        uint64_t written = 0;
        while (written < BytesPerRun) {
            std::size_t n =
                static_cast<std::size_t>(std::min<uint64_t>(BlockSize - written % BlockSize, BytesPerRun - written));
            ssize_t w = ::write(fd, pattern.data() + (start + written) % PatternPeriod, n);
            if (w > 0) {
                written += static_cast<uint64_t>(w);
            } else if (w < 0 && (errno == EAGAIN || errno == EINTR)) {
                pollfd p{fd, POLLOUT, 0};
                poll(&p, 1, 100);
            } else {
                failed = true;
                return;
            }
        }
    }

    int fd;
    uint64_t start;
    std::vector<char> pattern;
    std::atomic<bool> failed{false};
    std::thread thread;
};

// What the plain loop moved in this run, for the worker's share of it.
double plainBytes = 0;
double plainSeconds = 0;

// The baseline: the slave opened and set raw as the port does, then poll and read into a
// 64 KiB buffer, nothing else.
void PlainPollAndReadLoop(benchmark::State& state)
{
    test::PtyPair pty;
    const int fd = pty.Ok() ? ::open(pty.SlavePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC) : -1;
    platform::LineSettings line;
    line.baudRate = 115200;
    platform::TermiosImage raw;
    if (fd < 0 || !platform::ToTermios(line, raw) || !platform::WriteTermios(fd, raw)) {
        state.SkipWithError("no pseudo-terminal");
        if (fd >= 0)
            ::close(fd);
        return;
    }
    std::vector<char> buffer(BlockSize);
    double seconds = 0;
    for (auto _ : state) {
        const auto start = SteadyClock::now();
        FloodingPeer peer(pty.MasterFd(), 0);
        uint64_t received = 0;
        while (received < BytesPerRun && SteadyClock::now() - start < GiveUpAfter) {
            pollfd p{fd, POLLIN, 0};
            if (poll(&p, 1, 100) <= 0)
                continue;
            ssize_t n = ::read(fd, buffer.data(), buffer.size());
            if (n > 0)
                received += static_cast<uint64_t>(n);
        }
        seconds += std::chrono::duration<double>(SteadyClock::now() - start).count();
        if (received != BytesPerRun || peer.Failed())
            state.SkipWithError("bytes were lost");
    }
    ::close(fd);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * BytesPerRun));
    plainBytes += static_cast<double>(state.iterations() * BytesPerRun);
    plainSeconds += seconds;
}
BENCHMARK(PlainPollAndReadLoop)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(2);

// Counts and checks the posted bytes on the thread that runs the port's queue.
class CountingNotifier : public SThread::Notifier {
public:
    void OnReceive(std::string bytes, uint32_t, bool) override
    {
        for (char c : bytes)
            if (c != PatternAt(received++))
                ++wrong;
    }
    void OnSent(std::string, uint32_t) override {}
    void OnLineStatus(int) override {}
    void OnSendDone(unsigned) override {}
    void OnHangUp() override {}

    uint64_t received = 0;
    uint64_t wrong = 0;
};

void WorkerIngest(benchmark::State& state)
{
    test::PtyPair pty;
    SerialPort port;
    SerialSettings settings;
    settings.baud = 115200;
    if (!pty.Ok() || port.Open(pty.SlavePath().c_str(), &settings) != OpenResult::Opened) {
        state.SkipWithError("no pseudo-terminal");
        return;
    }
    CountingNotifier notifier;
    SThread worker(&port, &notifier, 4);
    {
        auto lock = worker.LockPort();
        worker.SetOpen(true);
    }
    double seconds = 0;
    uint64_t lost = 0, wrong = 0;
    for (auto _ : state) {
        const uint64_t before = notifier.received;
        const auto start = SteadyClock::now();
        FloodingPeer peer(pty.MasterFd(), before);
        // The GUI thread's part, emptying the queue more often than its 100 ms timer so that
        // the bound of the queue is never reached.
        while (notifier.received - before < BytesPerRun && SteadyClock::now() - start < GiveUpAfter) {
            notifier.ProcessAll();
            std::this_thread::sleep_for(2ms);
        }
        seconds += std::chrono::duration<double>(SteadyClock::now() - start).count();
        lost += BytesPerRun - (notifier.received - before);
    }
    worker.ClosePort();
    wrong = notifier.wrong;
    if (lost != 0 || wrong != 0)
        state.SkipWithError("bytes were lost or out of order");
    const double rate = static_cast<double>(state.iterations() * BytesPerRun) / seconds;
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * BytesPerRun));
    state.counters["lost"] = static_cast<double>(lost);
    state.counters["wrong"] = static_cast<double>(wrong);
    if (plainSeconds > 0)
        state.counters["of_plain"] = rate / (plainBytes / plainSeconds);
}
BENCHMARK(WorkerIngest)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(2);

}  // namespace
}  // namespace baudrill
