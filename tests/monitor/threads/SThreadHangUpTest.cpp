// The port worker when its device goes away, on the fake device and a fake clock: the hang-up
// is reported once, whichever transfer finds it, and the device is left alone until its owner
// has closed it; after a reopen the worker works as before.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

#include "tests/support/monitor/WorkerTestSupport.h"
#include "tests/support/NamedCase.h"

namespace baudrill {
namespace {

using test::Notice;
using test::WorkerTest;

struct HangUpCase : test::NamedCase {
    // Brings the worker to the point where the device goes; returns after HangUp.
    std::function<void(WorkerTest&)> hangUp;
    std::size_t sendDonesBeforeClose;
};

class WorkerHangUp : public WorkerTest, public ::testing::WithParamInterface<HangUpCase> {};

TEST_P(WorkerHangUp, IsReportedOnceAndTheDeviceLeftAloneUntilItsOwnerClosesIt)
{
    const HangUpCase& c = GetParam();
    OpenAndRun();
    device->AddInput("before");
    ASSERT_TRUE(notifier.RunUntil([&] { return notifier.Received() == "before"; }));
    c.hangUp(*this);
    if (HasFatalFailure())
        return;
    ASSERT_TRUE(notifier.RunUntil([&] { return !notifier.Of(Notice::HangUp).empty(); }));
    EXPECT_TRUE(worker->HasHungUp());
    EXPECT_EQ(notifier.notices.back().kind, Notice::HangUp);  // after what the turn posted
    EXPECT_EQ(notifier.Of(Notice::SendDone).size(), c.sendDonesBeforeClose);

    // No busy loop and no retries: not one device call while the owner has not closed it.
    const int calls = device->TotalCalls();
    LetTimePass(1000);
    EXPECT_EQ(device->TotalCalls(), calls);
    EXPECT_EQ(notifier.Of(Notice::HangUp).size(), 1u);

    worker->ClosePort();
    EXPECT_FALSE(worker->HasHungUp());
    Reopen();
    device->AddInput("after");
    ASSERT_TRUE(notifier.RunUntil([&] { return notifier.Received() == "beforeafter"; }));
    EXPECT_TRUE(notifier.Of(Notice::Receive).back().flag);  // the old row ended with the device
    EXPECT_EQ(notifier.Of(Notice::HangUp).size(), 1u);
}

void WhileReading(WorkerTest& t) { t.device->HangUp(); }

// The repeat's next read in its period finds the device gone; no request goes out after it.
void DuringARepeat(WorkerTest& t)
{
    t.worker->SendRepeat(100, "r");
    ASSERT_TRUE(t.notifier.RunUntil([&] { return t.notifier.Of(Notice::Sent).size() >= 2; }));
    t.device->HangUp();
}

// The write of a single send finds it: the worker pauses after a quiet read when the device
// goes and the send is handed over.
void AtASingleWrite(WorkerTest& t)
{
    t.clock.Hold();
    ASSERT_TRUE(t.clock.WaitForHeldSleeper());
    t.device->HangUp();
    t.worker->Send("lost");
    t.clock.Release();
}

INSTANTIATE_TEST_SUITE_P(Table, WorkerHangUp,
                         ::testing::Values(HangUpCase{"WhileReading", WhileReading, 0},
                                           HangUpCase{"DuringARepeat", DuringARepeat, 0},
                                           HangUpCase{"AtASingleWrite", AtASingleWrite, 1}),
                         test::CaseName<HangUpCase>);

// An ordinary failure is no hang-up: the worker goes on reading.
TEST_F(WorkerTest, FailedReadIsNoHangUp)
{
    OpenAndRun();
    device->AddReadFailure();
    device->AddInput("next", 10);
    ASSERT_TRUE(notifier.RunUntil([&] { return notifier.Received() == "next"; }));
    EXPECT_FALSE(worker->HasHungUp());
    EXPECT_TRUE(notifier.Of(Notice::HangUp).empty());
}

}  // namespace
}  // namespace baudrill
