#include "platform/FakeClock.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "tests/platform/KillWaitCheck.h"

namespace baudrill::platform {
namespace {

TEST(FakeClockTest, SleepAdvancesTimeAndFiresTimersInDueOrderAtTheirDueTime)
{
    FakeClock clock(FakeClock::Mode::AutoAdvance, 1000);
    std::vector<std::pair<char, uint32_t>> fired;
    clock.StartTimer(30, [&] { fired.push_back({'b', clock.Tick()}); });
    clock.StartTimer(10, [&] { fired.push_back({'a', clock.Tick()}); });
    TimerId killed = clock.StartTimer(20, [&] { fired.push_back({'x', clock.Tick()}); });
    clock.KillTimer(killed);

    clock.Sleep(25);
    EXPECT_EQ(clock.Tick(), 1025u);
    ASSERT_EQ(fired.size(), 1u);
    clock.Sleep(5);
    ASSERT_EQ(fired.size(), 2u);
    EXPECT_EQ(fired[0], (std::pair<char, uint32_t>{'a', 1010}));
    EXPECT_EQ(fired[1], (std::pair<char, uint32_t>{'b', 1030}));
    EXPECT_EQ(clock.ArmedTimers(), 0u);
}

TEST(FakeClockTest, TickWrapsAt32BitsWhileElapsedGoesOn)
{
    FakeClock clock(FakeClock::Mode::AutoAdvance, 0xFFFFFFF0u);
    bool fired = false;
    clock.StartTimer(0x20, [&] { fired = true; });
    clock.Advance(0x1F);
    EXPECT_FALSE(fired);
    clock.Advance(1);
    EXPECT_TRUE(fired);
    EXPECT_EQ(clock.Tick(), 0x10u);
    EXPECT_EQ(clock.Elapsed(), 0x20u);
}

TEST(FakeClockTest, CallbackMayStartAndKillTimers)
{
    FakeClock clock;
    int count = 0;
    TimerId self = 0;
    self = clock.StartTimer(5, [&] {
        ++count;
        clock.KillTimer(self);  // killing itself from its callback returns at once
        clock.StartTimer(5, [&] { ++count; });
    });
    clock.Advance(10);
    EXPECT_EQ(count, 2);
}

TEST(FakeClockTest, ManualSleepWaitsUntilAnotherThreadAdvancesFarEnough)
{
    FakeClock clock(FakeClock::Mode::Manual);
    std::atomic<bool> woke{false};
    std::thread sleeper([&] {
        clock.Sleep(50);
        woke = true;
    });
    ASSERT_TRUE(clock.WaitForSleepers(1));
    clock.Advance(49);
    EXPECT_EQ(clock.Sleepers(), 1);  // it cannot wake before its time has come
    EXPECT_FALSE(woke);
    clock.Advance(1);
    sleeper.join();
    EXPECT_TRUE(woke);
    EXPECT_EQ(clock.Sleepers(), 0);
}

TEST(FakeClockTest, KillWaitsForARunningCallback)
{
    FakeClock clock;
    test::ExpectKillWaitsForRunningCallback(clock, [&] { clock.Advance(1); });
}

}  // namespace
}  // namespace baudrill::platform
