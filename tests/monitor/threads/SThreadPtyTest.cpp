// The worker on a real POSIX device: a pseudo-terminal whose peer writes a known pattern, flat
// out or paced, while the worker may be sending at the same time.
#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <functional>
#include <iostream>
#include <string>
#include <thread>

#include "monitor/threads/SThread.h"
#include "serial/SerialPort.h"
#include "tests/support/PtyPair.h"
#include "tests/support/NamedCase.h"

namespace baudrill {
namespace {

using namespace std::chrono_literals;
using SteadyClock = std::chrono::steady_clock;

// The byte at each position of the peer's stream; a period prime to every read size, so a
// lost, doubled or reordered chunk shows.
char PatternAt(uint64_t position) { return static_cast<char>(position % 251); }

// Checks every received byte against the pattern as the GUI thread runs the notices, and that
// every sent row ends the received row before it.
class PatternNotifier : public SThread::Notifier {
public:
    void OnReceive(std::string bytes, uint32_t, bool newRow) override
    {
        for (char c : bytes) {
            if (c != PatternAt(received) && firstWrong == UINT64_MAX)
                firstWrong = received;
            ++received;
        }
        ++chunks;
        if (sentSinceReceive && !newRow)
            rowAfterSentContinued = true;
        sentSinceReceive = false;
    }
    void OnSent(std::string, uint32_t) override
    {
        ++sends;
        sentSinceReceive = true;
    }
    void OnLineStatus(int) override {}
    void OnSendDone(unsigned) override {}
    void OnHangUp() override {}

    uint64_t received = 0;
    uint64_t firstWrong = UINT64_MAX;
    uint64_t chunks = 0;
    uint64_t sends = 0;
    bool sentSinceReceive = false;
    bool rowAfterSentContinued = false;
};

// Writes `count` bytes of the pattern from `position` into the peer's end, waiting while the
// line is full; false when the line failed.
bool WritePattern(int fd, uint64_t& position, std::size_t count)
{
    char chunk[4096];
    while (count > 0) {
        std::size_t n = std::min(count, sizeof chunk);
        for (std::size_t i = 0; i < n; ++i)
            chunk[i] = PatternAt(position + i);
        ssize_t w = ::write(fd, chunk, n);
        if (w > 0) {
            position += static_cast<uint64_t>(w);
            count -= static_cast<std::size_t>(w);
        } else if (w < 0 && (errno == EAGAIN || errno == EINTR)) {
            pollfd p{fd, POLLOUT, 0};
            poll(&p, 1, 10);
        } else {
            return false;
        }
    }
    return true;
}

// How the peer writes for `duration`; returns the bytes written.
using Peer = std::function<uint64_t(int fd, std::chrono::milliseconds duration)>;

uint64_t WriteFlatOut(int fd, std::chrono::milliseconds duration)
{
    uint64_t written = 0;
    const auto end = SteadyClock::now() + duration;
    while (SteadyClock::now() < end && WritePattern(fd, written, 4096)) {}
    return written;
}

// About 12 bytes a millisecond, as a fast line (115200 baud and more) delivers them.
uint64_t WritePaced(int fd, std::chrono::milliseconds duration)
{
    uint64_t written = 0;
    const auto start = SteadyClock::now();
    for (auto next = start; next < start + duration; next += 1ms) {
        if (!WritePattern(fd, written, 12))
            break;
        std::this_thread::sleep_until(next + 1ms);
    }
    return written;
}

struct Session {
    uint64_t written = 0;
    PatternNotifier notifier;
};

// One session: a port on a fresh pty and its worker, the peer writing for `duration`, a repeated
// send of one byte every 10 ms when `sending`; returns once everything written has been posted
// and run, or nothing more has come for 3 s after the peer ended (bytes were lost).
void RunSession(Session& session, const Peer& peer, std::chrono::milliseconds duration, bool sending)
{
    test::PtyPair pty;
    if (!pty.Ok())
        GTEST_SKIP() << "no pseudo-terminals here";
    SerialPort port;
    SerialSettings settings;
    settings.baud = 115200;
    ASSERT_EQ(port.Open(pty.SlavePath().c_str(), &settings), 0);
    PatternNotifier& notifier = session.notifier;
    SThread worker(&port, &notifier, 4);
    {
        auto lock = worker.LockPort();
        worker.SetOpen(true);
    }
    if (sending)
        worker.SendRepeat(10, "s");

    std::atomic<bool> peerDone{false};
    std::thread writer([&] {
        session.written = peer(pty.MasterFd(), duration);
        peerDone = true;
    });
    // The GUI thread's part: empty the port's queue now and then until all has arrived.
    auto lastProgress = SteadyClock::now();
    for (uint64_t seen = 0; !(peerDone && notifier.received >= session.written);) {
        std::this_thread::sleep_for(20ms);
        pty.ReceiveAll(0ms);  // our sends, so that they never fill the line
        notifier.ProcessAll();
        if (notifier.received != seen || !peerDone)
            lastProgress = SteadyClock::now();
        seen = notifier.received;
        if (SteadyClock::now() - lastProgress > 3s)
            break;
    }
    writer.join();
    worker.ClosePort();
    notifier.ProcessAll();
}

void ExpectEveryByteOnceInOrder(const Session& s, int run)
{
    EXPECT_EQ(s.notifier.received, s.written) << "run " << run;
    EXPECT_EQ(s.notifier.firstWrong, UINT64_MAX) << "run " << run << ": first wrong byte at " << s.notifier.firstWrong;
    EXPECT_GT(s.notifier.chunks, 1u);
}

TEST(SThreadPty, EveryByteThePeerWritesFlatOutArrivesInOrder)
{
    Session session;
    RunSession(session, WriteFlatOut, 2000ms, false);
    if (HasFatalFailure() || IsSkipped())
        return;
    ExpectEveryByteOnceInOrder(session, 0);
    const double rate = static_cast<double>(session.written) / 2.0;
    RecordProperty("BytesPerSecond", std::to_string(static_cast<uint64_t>(rate)));
    std::cout << "pty throughput: " << rate / 1e6 << " MB/s (" << session.written << " bytes in 2 s, "
              << session.notifier.chunks << " receive notices)\n";
}

struct SendingCase : test::NamedCase {
    Peer peer;
};

class SThreadPtySending : public ::testing::TestWithParam<SendingCase> {};

// A send starts every 10 ms while the peer writes: no received byte may be lost to it, and each
// sent row still ends the received row before it. Several short runs, since a loss depends on
// where the bytes stand when a write starts.
TEST_P(SThreadPtySending, EveryByteArrivesOnceInOrderWhileARepeatedSendRuns)
{
    constexpr int Runs = 3;
    for (int run = 0; run < Runs; ++run) {
        Session session;
        RunSession(session, GetParam().peer, 500ms, true);
        if (HasFatalFailure() || IsSkipped())
            return;
        ExpectEveryByteOnceInOrder(session, run);
        // Sends really went out during the flood; how many depends on the machine's load.
        EXPECT_GT(session.notifier.sends, 2u) << "run " << run;
        EXPECT_FALSE(session.notifier.rowAfterSentContinued) << "run " << run;
    }
}

INSTANTIATE_TEST_SUITE_P(Table, SThreadPtySending,
                         ::testing::Values(SendingCase{"PeerFlatOut", WriteFlatOut},
                                           SendingCase{"PeerTwelveBytesAMillisecond", WritePaced}),
                         test::CaseName<SendingCase>);

}  // namespace
}  // namespace baudrill
