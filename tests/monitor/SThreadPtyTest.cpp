// The worker on a real POSIX device: a pseudo-terminal whose peer writes as fast as it can.
#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <iostream>
#include <thread>

#include "monitor/SThread.h"
#include "serial/SerialPort.h"
#include "tests/platform/PtyPair.h"

namespace baudrill {
namespace {

using namespace std::chrono_literals;
using SteadyClock = std::chrono::steady_clock;

// The byte at each position of the peer's stream; a period prime to every read size, so a
// lost, doubled or reordered chunk shows.
char PatternAt(uint64_t position) { return static_cast<char>(position % 251); }

// Checks every received byte against the pattern as the GUI thread runs the notices.
class PatternNotifier : public SThread::Notifier {
public:
    void OnReceive(std::string bytes, uint32_t, bool) override {
        for (char c : bytes) {
            if (c != PatternAt(received) && firstWrong == UINT64_MAX) firstWrong = received;
            ++received;
        }
        ++chunks;
    }
    void OnSent(std::string, uint32_t) override {}
    void OnLineStatus(int) override {}
    void OnSendDone(unsigned) override {}
    void OnHangUp() override {}

    uint64_t received = 0;
    uint64_t firstWrong = UINT64_MAX;
    uint64_t chunks = 0;
};

// Writes the pattern into the peer's end for `duration`; returns the bytes written.
uint64_t WriteFlatOut(int fd, std::chrono::milliseconds duration) {
    char chunk[4096];
    uint64_t written = 0;
    const auto end = SteadyClock::now() + duration;
    while (SteadyClock::now() < end) {
        for (std::size_t i = 0; i < sizeof chunk; ++i) chunk[i] = PatternAt(written + i);
        ssize_t n = ::write(fd, chunk, sizeof chunk);
        if (n > 0) {
            written += static_cast<uint64_t>(n);
        } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
            pollfd p{fd, POLLOUT, 0};
            poll(&p, 1, 10);
        } else {
            break;
        }
    }
    return written;
}

TEST(SThreadPty, EveryByteThePeerWritesFlatOutArrivesInOrder) {
    test_support::PtyPair pty;
    if (!pty.Ok()) GTEST_SKIP() << "no pseudo-terminals here";
    SerialPort port;
    SerialSettings settings;
    settings.baud = 115200;
    ASSERT_EQ(port.Open(pty.SlavePath().c_str(), &settings), 0);
    PatternNotifier notifier;
    SThread worker(&port, &notifier, 4);
    {
        auto lock = worker.LockPort();
        worker.SetOpen(true);
    }

    std::atomic<bool> peerDone{false};
    uint64_t written = 0;
    std::thread peer([&] {
        written = WriteFlatOut(pty.MasterFd(), 2000ms);
        peerDone = true;
    });
    // The GUI thread's part: empty the port's queue now and then until all has arrived.
    const auto limit = SteadyClock::now() + 30s;
    while (!(peerDone && notifier.received >= written) && SteadyClock::now() < limit) {
        std::this_thread::sleep_for(20ms);
        notifier.ProcessAll();
    }
    peer.join();
    worker.ClosePort();

    EXPECT_EQ(notifier.received, written);
    EXPECT_EQ(notifier.firstWrong, UINT64_MAX) << "first wrong byte at " << notifier.firstWrong;
    EXPECT_GT(notifier.chunks, 1u);
    const double rate = static_cast<double>(written) / 2.0;
    RecordProperty("BytesPerSecond", std::to_string(static_cast<uint64_t>(rate)));
    std::cout << "pty throughput: " << rate / 1e6 << " MB/s (" << written << " bytes in 2 s, "
              << notifier.chunks << " receive notices)\n";
}

}  // namespace
}  // namespace baudrill
