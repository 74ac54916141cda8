// The port worker on the fake device and a fake clock: what it posts over bursts, quiet reads
// and writes, its single sends and stops, line reports and rate and line commands, and how it
// ends.
#include <gtest/gtest.h>

#include <functional>
#include <future>
#include <ostream>
#include <string>

#include "platform/PlatformCodes.h"
#include "serial/LineFlags.h"
#include "tests/support/monitor/WorkerTestSupport.h"
#include "tests/support/NamedCase.h"

namespace baudrill {
namespace {

using namespace std::chrono_literals;
using test::Notice;
using test::WorkerTest;

std::string Block(int length)
{
    std::string bytes;
    for (int i = 0; i < length; ++i)
        bytes.push_back(static_cast<char>('0' + i % 10));
    return bytes;
}

TEST_F(WorkerTest, ClosedDeviceIsNeverTouchedAndNothingIsPosted)
{
    MakeWorker();
    clock.Release();
    LetTimePass(2000);
    EXPECT_EQ(device->TotalCalls(), 0);
    EXPECT_EQ(notifier.Count(), 0);
    EXPECT_TRUE(notifier.Lines().empty());
    EXPECT_EQ(worker->SetBaudRate(57600), -1);  // closed: refused without a port call
    worker->SetLineState(LineFlags::Dtr);
    EXPECT_EQ(device->TotalCalls(), 0);
}

// Input arrives one byte every 2 ms, then pauses, then comes again; a write ends a row too.
TEST_F(WorkerTest, RowStartsAfterAQuietReadAndAfterAWriteNeverInsideABurst)
{
    Open();
    const std::string burst = "abcdefghijklmnop";
    for (std::size_t i = 0; i < burst.size(); ++i)
        device->AddInput(burst.substr(i, 1), 300 + 2 * static_cast<uint32_t>(i));
    device->AddInput("xyz", 800);
    clock.Release();
    ASSERT_TRUE(notifier.RunUntil([&] { return notifier.Received() == burst + "xyz"; }));
    worker->Send("w");
    ASSERT_TRUE(notifier.RunUntil([&] { return !notifier.Of(Notice::SendDone).empty(); }));
    device->AddInput("after");
    ASSERT_TRUE(notifier.RunUntil([&] { return notifier.Received() == burst + "xyz" + "after"; }));

    std::vector<Notice> received = notifier.Of(Notice::Receive);
    ASSERT_GE(received.size(), 4u);  // the burst took several reads
    const std::size_t burstReads = received.size() - 2;
    EXPECT_TRUE(received[0].flag);
    for (std::size_t i = 1; i < burstReads; ++i)
        EXPECT_FALSE(received[i].flag) << i;
    EXPECT_EQ(received[burstReads].bytes, "xyz");
    EXPECT_TRUE(received[burstReads].flag);
    EXPECT_EQ(received.back().bytes, "after");
    EXPECT_TRUE(received.back().flag);
    EXPECT_GE(received[0].tick, 300u);  // stamped after the read
    EXPECT_EQ(notifier.notices.size(), received.size() + 2);
    EXPECT_EQ(notifier.notices[received.size() - 1].kind, Notice::Sent);
}

// Bytes keep coming while the device is closed and opened again, so no read is quiet; yet what
// is read after the reopen is a burst of its own, not the rest of the row of before the close.
TEST_F(WorkerTest, FirstBytesAfterTheDeviceWasClosedAndOpenedAgainStartARow)
{
    Open();
    const std::string input = Block(4 * SThread::ReadBufferSize);
    device->AddInput(input);
    port->GateAfterNextFullRead();
    clock.Release();
    ASSERT_TRUE(clock.WaitForGatedTick());  // the first block read, not yet posted
    worker->ClosePort();
    Reopen();
    clock.OpenGate();
    ASSERT_TRUE(notifier.RunUntil([&] { return notifier.Received() == input; }));

    std::vector<Notice> received = notifier.Of(Notice::Receive);
    ASSERT_GE(received.size(), 2u);
    EXPECT_TRUE(received[0].flag);
    EXPECT_TRUE(received[1].flag) << "the first read after the reopen";
    for (std::size_t i = 2; i < received.size(); ++i)
        EXPECT_FALSE(received[i].flag) << i;
}

// Input arrives every millisecond, before, during and after the writes, so no read is quiet:
// only a write starts a row, and the bytes read just before it still belong to the old one.
struct WriteCase : test::NamedCase {
    bool repeat;  // a repeated send, else a single one
};

class WorkerRowAfterWrite : public WorkerTest, public ::testing::WithParamInterface<WriteCase> {};

TEST_P(WorkerRowAfterWrite, FirstBytesAfterEveryWriteStartARow)
{
    const bool repeat = GetParam().repeat;
    Open();
    std::string input;
    for (uint32_t ms = 0; ms < 1500; ++ms) {
        input.push_back(static_cast<char>('a' + ms % 26));
        device->AddInput(input.substr(ms, 1), ms);
    }
    if (repeat)
        worker->SendRepeat(100, "w");
    else
        worker->Send("w");
    clock.Release();
    ASSERT_TRUE(notifier.RunUntil([&] { return notifier.Received() == input; }));
    if (repeat)
        worker->Stop();
    LetTimePass(200);

    bool startsRow = true;  // the first bytes, then the first after each write
    bool afterWrite = false;
    std::size_t rowsAfterWrites = 0;
    for (const Notice& notice : notifier.notices) {
        if (notice.kind == Notice::Sent)
            startsRow = afterWrite = true;
        if (notice.kind != Notice::Receive)
            continue;
        EXPECT_EQ(notice.flag, startsRow) << "bytes " << notice.bytes << " at " << notice.tick;
        if (startsRow && afterWrite)
            ++rowsAfterWrites;
        startsRow = false;
    }
    EXPECT_GE(rowsAfterWrites, repeat ? 10u : 1u);
}

INSTANTIATE_TEST_SUITE_P(Table, WorkerRowAfterWrite,
                         ::testing::Values(WriteCase{"Single", false}, WriteCase{"Repeat", true}),
                         test::CaseName<WriteCase>);

struct SendCase : test::NamedCase {
    int length;
    int timeoutMs;
};

class WorkerSend : public WorkerTest, public ::testing::WithParamInterface<SendCase> {};

TEST_P(WorkerSend, SingleSendWritesOncePostsSentAndDoneThenReadsAgain)
{
    const SendCase& c = GetParam();
    const std::string block = Block(c.length);
    OpenAndRun();
    const unsigned send = worker->Send(block);
    ASSERT_TRUE(notifier.RunUntil([&] { return !notifier.Of(Notice::SendDone).empty(); }));
    EXPECT_EQ(device->Output(), block);
    EXPECT_EQ(port->WriteTicks().size(), 1u);
    ASSERT_EQ(notifier.notices.size(), 2u);
    EXPECT_EQ(notifier.notices[0].kind, Notice::Sent);
    EXPECT_EQ(notifier.notices[0].bytes, block);
    EXPECT_EQ(notifier.notices[1].send, send);

    device->AddInput("reply");
    ASSERT_TRUE(notifier.RunUntil([&] { return notifier.Received() == "reply"; }));
    EXPECT_EQ(port->WriteTicks().size(), 1u);  // back to reading: no second write
}

TEST_P(WorkerSend, SendThatNothingLeavesEndsAtItsTimeout)
{
    const SendCase& c = GetParam();
    OpenAndRun();
    port->SendNothing(true);
    worker->Send(Block(c.length));
    ASSERT_TRUE(notifier.RunUntil([&] { return !notifier.Of(Notice::SendDone).empty(); }));
    std::vector<uint32_t> attempts = port->WriteTicks();
    ASSERT_FALSE(attempts.empty());
    EXPECT_EQ(attempts.back() - attempts.front() + 1, static_cast<uint32_t>(c.timeoutMs));
    EXPECT_TRUE(notifier.Of(Notice::Sent).empty());
    EXPECT_EQ(device->Output(), "");
}

INSTANTIATE_TEST_SUITE_P(Table, WorkerSend,
                         ::testing::Values(SendCase{"TenBytes", 10, 300}, SendCase{"TwoThousandBytes", 2000, 2000}),
                         test::CaseName<SendCase>);

TEST_F(WorkerTest, FailedWriteStillEndsTheSendAndReadingGoesOn)
{
    OpenAndRun();
    device->FailCall(Call::Write);
    worker->Send("abc");
    ASSERT_TRUE(notifier.RunUntil([&] { return !notifier.Of(Notice::SendDone).empty(); }));
    EXPECT_TRUE(notifier.Of(Notice::Sent).empty());
    device->AddInput("in");
    ASSERT_TRUE(notifier.RunUntil([&] { return notifier.Received() == "in"; }));
    EXPECT_TRUE(notifier.Of(Notice::Receive)[0].flag);
}

TEST_F(WorkerTest, BytesWaitingWhenASendStartsAreReportedBeforeTheSentBlock)
{
    Open();
    device->AddInput("early", 0);
    worker->Send("out");  // its first turn finds the bytes waiting
    clock.Release();
    ASSERT_TRUE(notifier.RunUntil([&] { return !notifier.Of(Notice::SendDone).empty(); }));
    ASSERT_EQ(notifier.notices.size(), 3u);
    EXPECT_EQ(notifier.notices[0].kind, Notice::Receive);
    EXPECT_EQ(notifier.notices[0].bytes, "early");
    EXPECT_TRUE(notifier.notices[0].flag);
    EXPECT_EQ(notifier.notices[1].kind, Notice::Sent);
    EXPECT_EQ(device->Output(), "out");
}

TEST_F(WorkerTest, StopWhileIdlePostsSendDone)
{
    OpenAndRun();
    worker->Stop();
    ASSERT_TRUE(notifier.RunUntil([&] { return notifier.notices.size() == 1; }));
    EXPECT_EQ(notifier.notices[0].kind, Notice::SendDone);
    EXPECT_EQ(notifier.notices[0].send, 0u);  // no send was ever handed over
    LetTimePass(500);
    EXPECT_EQ(notifier.notices.size(), 1u);
    EXPECT_EQ(device->CallCount(Call::Write), 0);
}

TEST_F(WorkerTest, InputLinesAreReportedOncePerChange)
{
    device->SetModemStatus(platform::ModemCtsOn);
    OpenAndRun();
    ASSERT_TRUE(notifier.RunUntil([&] { return notifier.Lines().size() == 1; }));
    LetTimePass(500);
    EXPECT_EQ(notifier.Lines(), std::vector<int>{LineFlags::Cts});
    device->SetModemStatus(platform::ModemCtsOn | platform::ModemDsrOn);
    ASSERT_TRUE(notifier.RunUntil([&] { return notifier.Lines().size() == 2; }));
    LetTimePass(500);
    EXPECT_EQ(notifier.Lines(), (std::vector<int>{LineFlags::Cts, LineFlags::Cts | LineFlags::Dsr}));
}

// An idle worker makes one poll read and one 50 ms pause per turn, and polls the lines once a
// turn.
TEST_F(WorkerTest, IdleWorkerPausesAfterEveryQuietRead)
{
    OpenAndRun();
    LetTimePass(1000);
    std::vector<uint32_t> polls = port->LinePollTicks();
    ASSERT_GE(polls.size(), 10u);
    for (std::size_t i = 1; i < polls.size(); ++i)
        EXPECT_EQ(polls[i] - polls[i - 1], 4u + 50u);
}

TEST_F(WorkerTest, TwoWorkersReportEachTheirOwnPortsLines)
{
    test::RecordingNotifier otherNotifier;
    auto fake = std::make_unique<platform::FakeCommDevice>(clock);
    platform::FakeCommDevice* otherDevice = fake.get();
    test::RecordingPort otherPort(std::move(fake), clock);
    device->SetModemStatus(platform::ModemCtsOn);
    otherDevice->SetModemStatus(platform::ModemDsrOn);
    MakeWorker();
    SThread otherWorker(&otherPort, &otherNotifier, 4);
    ASSERT_EQ(test::OpenForWorker(*worker, *port), 0);
    ASSERT_EQ(test::OpenForWorker(otherWorker, otherPort), 0);
    clock.Release();
    ASSERT_TRUE(notifier.RunUntil([&] { return notifier.Lines().size() == 1 && otherNotifier.Lines().size() == 1; }));
    LetTimePass(500);
    EXPECT_EQ(notifier.Lines(), std::vector<int>{LineFlags::Cts});
    EXPECT_EQ(otherNotifier.Lines(), std::vector<int>{LineFlags::Dsr});

    otherDevice->SetModemStatus(platform::ModemDsrOn | platform::ModemRingOn);
    ASSERT_TRUE(notifier.RunUntil([&] { return otherNotifier.Lines().size() == 2; }));
    LetTimePass(500);
    EXPECT_EQ(notifier.Lines(), std::vector<int>{LineFlags::Cts});
    EXPECT_EQ(otherNotifier.Lines(), (std::vector<int>{LineFlags::Dsr, LineFlags::Dsr | LineFlags::Ring}));
}

struct RateCase : test::NamedCase {
    int rate;
    bool standard;
};

class WorkerRate : public WorkerTest, public ::testing::WithParamInterface<RateCase> {};

TEST_P(WorkerRate, GoesThroughTheStandardOrTheAnyRateCall)
{
    const RateCase& c = GetParam();
    OpenAndRun();
    EXPECT_EQ(SThread::IsStandardBaud(c.rate), c.standard);
    EXPECT_EQ(worker->SetBaudRate(c.rate), 0);
    EXPECT_EQ(port->StandardRates(), c.standard ? std::vector<int>{c.rate} : std::vector<int>{});
    EXPECT_EQ(port->AnyRates(), c.standard ? std::vector<int>{} : std::vector<int>{c.rate});
    EXPECT_EQ(device->State().baudRate, c.rate);
}

INSTANTIATE_TEST_SUITE_P(Table, WorkerRate,
                         ::testing::Values(RateCase{"Standard9600", 9600, true}, RateCase{"Standard19200", 19200, true},
                                           RateCase{"Standard38400", 38400, true},
                                           RateCase{"Standard57600", 57600, true},
                                           RateCase{"Standard115200", 115200, true}, RateCase{"Any1200", 1200, false},
                                           RateCase{"Any230400", 230400, false}, RateCase{"Any250000", 250000, false}),
                         test::CaseName<RateCase>);

TEST_F(WorkerTest, RefusedRateIsReported)
{
    OpenAndRun();
    EXPECT_EQ(worker->SetBaudRate(0), -1);
    device->FailCall(Call::SetState, 1);
    EXPECT_EQ(worker->SetBaudRate(57600), -1);
}

struct LineCase : test::NamedCase {
    int lines;
    bool dtr;
    bool rts;
};

class WorkerLines : public WorkerTest, public ::testing::WithParamInterface<LineCase> {};

TEST_P(WorkerLines, DriveDtrAndRtsToTheWantedState)
{
    const LineCase& c = GetParam();
    OpenAndRun();
    worker->SetLineState(c.lines);
    EXPECT_EQ(device->Dtr(), c.dtr);
    EXPECT_EQ(device->Rts(), c.rts);
    worker->SetLineState(c.lines ^ (LineFlags::Dtr | LineFlags::Rts));
    EXPECT_EQ(device->Dtr(), !c.dtr);
    EXPECT_EQ(device->Rts(), !c.rts);
}

INSTANTIATE_TEST_SUITE_P(Table, WorkerLines,
                         ::testing::Values(LineCase{"DtrOnly", 0x002, true, false},
                                           LineCase{"RtsOnly", 0x004, false, true},
                                           LineCase{"BothAmongInputBits", 0x0E6, true, true},
                                           LineCase{"InputBitsOnly", 0x1E0, false, false}),
                         test::CaseName<LineCase>);

// Fake time passed between the clock's release and the end of the destructor.
struct EndCase : test::NamedCase {
    std::function<void(WorkerTest&)> setUp;
    uint32_t withinMs;
};

class WorkerEnd : public WorkerTest, public ::testing::WithParamInterface<EndCase> {};

void StartLongRepeat(WorkerTest& t)
{
    t.OpenAndRun();
    t.worker->SendRepeat(1000000, "r");
    ASSERT_TRUE(t.notifier.RunUntil([&] { return !t.notifier.Of(Notice::Sent).empty(); }));
}

TEST_P(WorkerEnd, DestructorReturnsAfterTheCurrentStep)
{
    MakeWorker();
    GetParam().setUp(*this);
    if (HasFatalFailure())
        return;
    clock.Hold();
    ASSERT_TRUE(clock.WaitForHeldSleeper());
    const uint64_t before = clock.Elapsed();
    auto ended = std::async(std::launch::async, [&] { worker.reset(); });
    // The destructor aborts the port's I/O after it has set the stop flag.
    const bool stopping = notifier.RunUntil([&] { return device->IsAborted(); });
    clock.Release();
    ASSERT_TRUE(stopping);
    ASSERT_EQ(ended.wait_for(10s), std::future_status::ready);
    EXPECT_LE(clock.Elapsed() - before, GetParam().withinMs);
}

INSTANTIATE_TEST_SUITE_P(Table, WorkerEnd,
                         ::testing::Values(EndCase{"Closed", [](WorkerTest&) {}, 10},
                                           EndCase{"LongRepeat", StartLongRepeat, 10}),
                         test::CaseName<EndCase>);

}  // namespace
}  // namespace baudrill
