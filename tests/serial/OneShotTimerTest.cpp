#include "serial/OneShotTimer.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "platform/FakeClock.h"

namespace baudrill {
namespace {

class OneShotTimerTest : public ::testing::Test {
protected:
    platform::FakeClock clock;
    std::atomic<int> flag{0};
};

TEST_F(OneShotTimerTest, SetsTheFlagWhenItsDelayHasPassed)
{
    OneShotTimer timer(5, &flag, clock);
    timer.Start();
    EXPECT_TRUE(timer.IsArmed());
    clock.Advance(4);
    EXPECT_EQ(flag, 0);
    clock.Advance(1);
    EXPECT_EQ(flag, 1);
    EXPECT_FALSE(timer.IsArmed());
}

TEST_F(OneShotTimerTest, ZeroDelayIsOneMillisecond)
{
    OneShotTimer timer(0, &flag, clock);
    EXPECT_EQ(timer.Delay(), 1u);
    timer.Start();
    clock.Advance(0);
    EXPECT_EQ(flag, 0);
    clock.Advance(1);
    EXPECT_EQ(flag, 1);
}

TEST_F(OneShotTimerTest, StoppedTimerNeverFires)
{
    OneShotTimer timer(5, &flag, clock);
    timer.Start();
    timer.Stop();
    timer.Stop();
    clock.Advance(10);
    EXPECT_EQ(flag, 0);
    EXPECT_EQ(clock.ArmedTimers(), 0u);
}

TEST_F(OneShotTimerTest, StartingAgainRestartsTheDelay)
{
    OneShotTimer timer(5, &flag, clock);
    timer.Start();
    clock.Advance(3);
    timer.Start();
    clock.Advance(3);
    EXPECT_EQ(flag, 0);
    clock.Advance(2);
    EXPECT_EQ(flag, 1);
    EXPECT_EQ(clock.ArmedTimers(), 0u);
}

TEST_F(OneShotTimerTest, DestroyingTheTimerKillsIt)
{
    {
        OneShotTimer timer(5, &flag, clock);
        timer.Start();
    }
    EXPECT_EQ(clock.ArmedTimers(), 0u);
    clock.Advance(10);
    EXPECT_EQ(flag, 0);
}

// A clock that cannot arm timers.
class NoTimerClock final : public platform::Clock {
public:
    uint32_t Tick() override { return 0; }
    void Sleep(int) override {}
    platform::TimerId StartTimer(unsigned, platform::TimerCallback) override { return 0; }
    void KillTimer(platform::TimerId) override {}
};

// A clock whose timer thread outruns the caller: the timer expires before StartTimer returns.
class InstantTimerClock final : public platform::Clock {
public:
    uint32_t Tick() override { return 0; }
    void Sleep(int) override {}
    platform::TimerId StartTimer(unsigned, platform::TimerCallback callback) override
    {
        std::thread(std::move(callback)).join();
        return 7;
    }
    void KillTimer(platform::TimerId id) override { killed.push_back(id); }
    std::vector<platform::TimerId> killed;
};

TEST_F(OneShotTimerTest, TimerThatExpiredBeforeStartReturnedIsNotArmed)
{
    InstantTimerClock instant;
    OneShotTimer timer(5, &flag, instant);
    timer.Start();
    EXPECT_EQ(flag, 1);
    EXPECT_FALSE(timer.IsArmed());
}

// An expiry may still be running on the timer thread when the owner sees the flag: stopping must
// kill (and so wait for) the last timer started even though it has expired, or the owner could
// destroy the timer under a running expiry.
TEST_F(OneShotTimerTest, StopWaitsForATimerThatHasAlreadyExpired)
{
    InstantTimerClock instant;
    {
        OneShotTimer timer(5, &flag, instant);
        timer.Start();
        ASSERT_EQ(flag, 1);
        timer.Stop();
        EXPECT_EQ(instant.killed, std::vector<platform::TimerId>{7});
    }
    EXPECT_EQ(instant.killed, std::vector<platform::TimerId>{7});  // once only: no id is left
}

TEST_F(OneShotTimerTest, TimerThatCannotBeArmedExpiresAtOnce)
{
    NoTimerClock noTimers;
    OneShotTimer timer(100, &flag, noTimers);
    timer.Start();
    EXPECT_EQ(flag, 1);  // so a timed loop on it still ends
    EXPECT_FALSE(timer.IsArmed());
}

}  // namespace
}  // namespace baudrill
