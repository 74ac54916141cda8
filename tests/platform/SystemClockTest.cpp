#include "platform/SystemClock.h"

#include <gtest/gtest.h>
#include <time.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

#include "platform/TickCount.h"
#include "tests/platform/KillWaitCheck.h"
#include "tests/support/WaitUntil.h"

namespace baudrill::platform {
namespace {

int64_t ClockMonotonicMs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

TEST(TickCountTest, MonotonicMsIsCLOCK_MONOTONICInMilliseconds)
{
    int64_t before = ClockMonotonicMs();
    int64_t ms = MonotonicMs();
    int64_t after = ClockMonotonicMs();
    EXPECT_LE(before, ms);
    EXPECT_LE(ms, after);
}

TEST(TickCountTest, IsTheLow32BitsOfMonotonicMs)
{
    uint32_t before = static_cast<uint32_t>(MonotonicMs());
    uint32_t tick = TickCount();
    uint32_t after = static_cast<uint32_t>(MonotonicMs());
    EXPECT_LE(TicksBetween(before, tick), TicksBetween(before, after));
}

TEST(TickCountTest, DifferencesAreModulo2To32)
{
    EXPECT_EQ(TicksBetween(0xFFFFFFF0u, 0x10u), 0x20u);
    EXPECT_EQ(TicksBetween(5u, 5u), 0u);
}

// Records the order in which callbacks ran and lets the test wait for a count.
class Recorder {
public:
    void Add(char c)
    {
        std::lock_guard lock(mutex_);
        order_ += c;
        changed_.notify_all();
    }
    std::string WaitFor(std::size_t count)
    {
        std::unique_lock lock(mutex_);
        changed_.wait_for(lock, std::chrono::seconds(10), [&] { return order_.size() >= count; });
        return order_;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::string order_;
};

// The timer thread is held in the first callback while the others are armed and one is killed,
// so however late this thread runs, the killed timer cannot have fired first.
TEST(SystemClockTest, TimersFireByDueTimeAndKilledOnesNever)
{
    SystemClock clock;
    Recorder recorder;
    std::atomic<bool> holding{false}, release{false};
    clock.StartTimer(1, [&] {
        holding = true;
        while (!release)
            std::this_thread::yield();
        recorder.Add('a');
    });
    while (!holding)
        std::this_thread::yield();
    clock.StartTimer(150, [&] { recorder.Add('c'); });
    TimerId killed = clock.StartTimer(20, [&] { recorder.Add('x'); });
    clock.StartTimer(60, [&] { recorder.Add('b'); });
    clock.KillTimer(killed);
    release = true;
    EXPECT_EQ(recorder.WaitFor(3), "abc");
}

// Times a 1 ms timer on the shared clock in its destructor, as an object of static duration
// might at exit; ends the process with code 1 when the timer never fires.
class TimesAtExit {
public:
    ~TimesAtExit()
    {
        std::atomic<int> fired{0};
        SystemClock::Instance().StartTimer(1, [&] { fired = 1; });
        if (!test::WaitUntil([&] { return fired == 1; }))
            std::_Exit(1);
    }
};

TEST(SystemClockDeathTest, SharedClockServesStaticObjectsDestroyedAfterIt)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            static TimesAtExit atExit;  // made before the shared clock, so destroyed after it
            SystemClock::Instance();
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(SystemClockTest, KillWaitsForARunningCallback)
{
    SystemClock clock;
    test::ExpectKillWaitsForRunningCallback(clock, nullptr);
}

TEST(SystemClockTest, SleepLastsAtLeastItsTime)
{
    SystemClock clock;
    uint32_t start = clock.Tick();
    clock.Sleep(5);
    EXPECT_GE(TicksBetween(start, clock.Tick()), 4u);  // tick granularity: 1 ms either side
}

}  // namespace
}  // namespace baudrill::platform
