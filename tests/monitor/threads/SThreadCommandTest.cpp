// The port worker's commands on the fake device and a fake clock: repeated sends and their
// period, commands handed over in the middle of a turn, held writes freed, and closing the
// device during a send.
#include <gtest/gtest.h>

#include <functional>
#include <future>
#include <ostream>
#include <string>

#include "tests/support/monitor/WorkerTestSupport.h"
#include "tests/support/NamedCase.h"

namespace baudrill {
namespace {

using namespace std::chrono_literals;
using test::Notice;
using test::WorkerTest;

// The period runs from the start of each write: a write that takes time does not lengthen it,
// and writes longer than the period follow each other without a poll read between (which
// would add its 4 ms).
struct RepeatCase : test::NamedCase {
    int writeMs;
    uint32_t minGap, maxGap;  // between the starts of two writes; the period ends in 10 ms sleeps
};

class WorkerRepeat : public WorkerTest, public ::testing::WithParamInterface<RepeatCase> {};

TEST_P(WorkerRepeat, WritesEveryPeriodUntilStopped)
{
    const RepeatCase& c = GetParam();
    port->WriteTakes(c.writeMs);
    OpenAndRun();
    worker->SendRepeat(100, "r");
    ASSERT_TRUE(notifier.RunUntil([&] { return notifier.Of(Notice::Sent).size() >= 3; }));
    worker->Stop();
    const std::string sentAtStop = device->Output();
    std::vector<uint32_t> ticks = port->WriteTicks();
    for (std::size_t i = 1; i < ticks.size(); ++i) {
        EXPECT_GE(ticks[i] - ticks[i - 1], c.minGap);
        EXPECT_LE(ticks[i] - ticks[i - 1], c.maxGap);
    }
    LetTimePass(1000);
    EXPECT_EQ(device->Output(), sentAtStop);
    EXPECT_EQ(notifier.Of(Notice::SendDone).size(), 1u);  // only the stop's
}

INSTANTIATE_TEST_SUITE_P(Table, WorkerRepeat,
                         ::testing::Values(RepeatCase{"InstantWrite", 0, 100, 110},
                                           RepeatCase{"WriteOfThirtyMs", 30, 100, 110},
                                           RepeatCase{"WriteLongerThanThePeriod", 150, 150, 151}),
                         test::CaseName<RepeatCase>);

// During a repeat period the worker reads as plain reading does: each reply is posted when it
// comes, in a row of its own, not when the next request goes out. A Stop during the period
// still takes effect when the period has passed.
struct PeriodCase : test::NamedCase {
    bool stop;  // a Stop during the period
};

class WorkerRepeatPeriod : public WorkerTest, public ::testing::WithParamInterface<PeriodCase> {};

TEST_P(WorkerRepeatPeriod, RepliesArePostedWhenTheyComeInRowsOfTheirOwn)
{
    const bool stop = GetParam().stop;
    Open();
    worker->SendRepeat(3000, "q");
    clock.ReleaseFor(150);
    ASSERT_TRUE(clock.WaitForHeldSleeper());  // in the first period, pausing after a quiet read
    ASSERT_EQ(port->WriteTicks().size(), 1u);
    const uint32_t written = port->WriteTicks()[0];
    const uint32_t now = clock.Tick();  // time stands still while the worker is held
    ASSERT_LT(now - written, 100u);
    const uint32_t arrivals[] = {written + 100, written + 400};
    device->AddInput("first", arrivals[0] - now);
    device->AddInput("second", arrivals[1] - now);
    if (stop)
        worker->Stop();
    clock.Release();
    ASSERT_TRUE(notifier.RunUntil([&] { return notifier.Received() == "firstsecond"; }));
    std::vector<Notice> received = notifier.Of(Notice::Receive);
    ASSERT_EQ(received.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_TRUE(received[i].flag) << received[i].bytes;
        EXPECT_GE(received[i].tick, arrivals[i]) << received[i].bytes;
        EXPECT_LE(received[i].tick, arrivals[i] + 60) << received[i].bytes;
    }
    LetTimePass(4000);
    if (stop) {
        EXPECT_EQ(device->Output(), "q");
        EXPECT_EQ(notifier.Of(Notice::SendDone).size(), 1u);
    } else {
        // The reads and pauses keep to the period.
        std::vector<uint32_t> writes = port->WriteTicks();
        ASSERT_GE(writes.size(), 2u);
        EXPECT_GE(writes[1] - writes[0], 3000u);
        EXPECT_LE(writes[1] - writes[0], 3010u);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, WorkerRepeatPeriod,
                         ::testing::Values(PeriodCase{"GoingOn", false}, PeriodCase{"Stopped", true}),
                         test::CaseName<PeriodCase>);

// A command handed over after a turn has taken its command and before it writes replaces it:
// the turn writes nothing, and the next one carries out the new command once.
TEST_F(WorkerTest, SingleSendHandedOverBeforeARepeatWritesIsWrittenOnce)
{
    OpenAndRun();
    worker->SendRepeat(1000, "r");
    ASSERT_TRUE(notifier.RunUntil([&] { return !notifier.Of(Notice::Sent).empty(); }));
    port->GateTurnAfterNextLinePoll();
    ASSERT_TRUE(clock.WaitForGatedTick());  // the next repeat turn, before its write
    device->TakeOutput();
    worker->Send("B");  // an automatic answer, say
    clock.OpenGate();
    ASSERT_TRUE(notifier.RunUntil([&] { return !notifier.Of(Notice::SendDone).empty(); }));
    LetTimePass(3000);
    EXPECT_EQ(device->Output(), "B");
    std::vector<Notice> sent = notifier.Of(Notice::Sent);
    EXPECT_EQ(sent.back().bytes, "B");
    EXPECT_NE(sent[sent.size() - 2].bytes, "B");
    EXPECT_EQ(notifier.Of(Notice::SendDone).size(), 1u);
}

TEST_F(WorkerTest, RepeatHandedOverBeforeASingleSendWritesRunsAsARepeat)
{
    OpenAndRun();
    clock.Hold();
    ASSERT_TRUE(clock.WaitForHeldSleeper());  // pausing after a quiet read
    worker->Send("A");
    port->GateTurnAfterNextLinePoll();
    clock.Release();
    ASSERT_TRUE(clock.WaitForGatedTick());  // the single send's turn, before its write
    worker->SendRepeat(1000, "r");
    clock.OpenGate();
    ASSERT_TRUE(notifier.RunUntil([&] { return port->WriteTicks().size() >= 2; }));
    notifier.ProcessAll();
    std::vector<uint32_t> ticks = port->WriteTicks();
    EXPECT_GE(ticks[1] - ticks[0], 1000u);  // one period apart: no extra write
    EXPECT_EQ(device->Output().substr(0, 2), "rr");
    EXPECT_TRUE(notifier.Of(Notice::SendDone).empty());  // the repeat still runs
}

// A write that flow control holds is freed by each way of ending it; the three bytes the line
// took before it stopped are reported as sent.
struct FreeCase : test::NamedCase {
    std::function<void(WorkerTest&)> free;
    std::size_t sendDones;
};

class WorkerHeldWrite : public WorkerTest, public ::testing::WithParamInterface<FreeCase> {};

TEST_P(WorkerHeldWrite, IsFreedAtOnceAndReportsWhatWasSent)
{
    OpenAndRun();
    device->HoldWrites(3);
    worker->Send("abcdef");
    ASSERT_TRUE(device->WaitForHeldWrite());
    auto freed = std::async(std::launch::async, [&] { GetParam().free(*this); });
    if (freed.wait_for(10s) != std::future_status::ready) {
        device->ReleaseWrites();
        FAIL() << "the held write kept the worker's lock";
    }
    EXPECT_FALSE(device->WriteIsHeld());
    ASSERT_TRUE(notifier.RunUntil([&] { return notifier.Of(Notice::SendDone).size() == GetParam().sendDones; }));
    std::vector<Notice> sent = notifier.Of(Notice::Sent);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].bytes, "abc");
    EXPECT_EQ(device->Output(), "abc");
}

INSTANTIATE_TEST_SUITE_P(Table, WorkerHeldWrite,
                         ::testing::Values(FreeCase{"Stop", [](WorkerTest& t) { t.worker->Stop(); }, 2},
                                           FreeCase{"ClosePort", [](WorkerTest& t) { t.worker->ClosePort(); }, 1},
                                           FreeCase{"Destroy", [](WorkerTest& t) { t.worker.reset(); }, 1}),
                         test::CaseName<FreeCase>);

TEST_F(WorkerTest, PortWorksAgainAfterAStopFreedAHeldWrite)
{
    OpenAndRun();
    device->HoldWrites(0);
    worker->SendRepeat(100, "held");
    ASSERT_TRUE(device->WaitForHeldWrite());
    worker->Stop();
    device->ReleaseWrites();
    worker->Send("next");
    ASSERT_TRUE(notifier.RunUntil([&] { return !notifier.Of(Notice::Sent).empty(); }));
    EXPECT_EQ(notifier.Of(Notice::Sent)[0].bytes, "next");
}

// Closing the device ends the send, as Stop does: nothing is written after the device is
// opened again, and reading goes on at once, also when a long repeat period was running.
struct CloseCase : test::NamedCase {
    bool repeat;     // a repeat running, or a single send handed over but not written yet
    bool closePort;  // SThread::ClosePort, or the owner's own steps under the lock
};

class WorkerClose : public WorkerTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(WorkerClose, EndsTheSendAndReadingResumesAfterTheReopen)
{
    const CloseCase& c = GetParam();
    OpenAndRun();
    if (c.repeat) {
        worker->SendRepeat(1000000, "r");
        ASSERT_TRUE(notifier.RunUntil([&] { return !notifier.Of(Notice::Sent).empty(); }));
    } else {
        clock.Hold();
        ASSERT_TRUE(clock.WaitForHeldSleeper());
        worker->Send("x");
    }
    if (c.closePort)
        worker->ClosePort();
    else
        test::CloseForWorker(*worker, *port);
    const std::string sentBefore = device->TakeOutput();
    Reopen();
    clock.Release();
    device->AddInput("in");
    ASSERT_TRUE(notifier.RunUntil([&] { return notifier.Received() == "in"; }));
    EXPECT_LT(notifier.Of(Notice::Receive)[0].tick, 1000000u);  // not after the period
    LetTimePass(1000);
    EXPECT_EQ(device->Output(), "");
    EXPECT_EQ(sentBefore, c.repeat ? "r" : "");
    EXPECT_EQ(notifier.Of(Notice::SendDone).size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Table, WorkerClose,
                         ::testing::Values(CloseCase{"RepeatClosePort", true, true},
                                           CloseCase{"RepeatOwnersSteps", true, false},
                                           CloseCase{"PendingSendClosePort", false, true},
                                           CloseCase{"PendingSendOwnersSteps", false, false}),
                         test::CaseName<CloseCase>);

}  // namespace
}  // namespace baudrill
