#include "platform/Semaphore.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace baudrill::platform {
namespace {

TEST(SemaphoreTest, ReleaseSaturatesAtTheMaximum)
{
    Semaphore semaphore(0, 3);
    EXPECT_TRUE(semaphore.Release(2));
    EXPECT_FALSE(semaphore.Release(2));  // one of the two fits
    EXPECT_EQ(semaphore.Count(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(semaphore.TryWait());
    EXPECT_FALSE(semaphore.TryWait());
}

TEST(SemaphoreTest, ReleasingPastTheLargestCountNeverOverflows)
{
    Semaphore semaphore(0x7FFFFFFE);
    EXPECT_TRUE(semaphore.Release());
    EXPECT_FALSE(semaphore.Release());
    EXPECT_FALSE(semaphore.Release(0x7FFFFFFF));
    EXPECT_EQ(semaphore.Count(), 0x7FFFFFFF);
}

TEST(SemaphoreTest, WaitBlocksUntilAnotherThreadReleases)
{
    Semaphore semaphore;
    std::atomic<bool> passed{false};
    std::thread waiter([&] {
        semaphore.Wait();
        passed = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));  // room for a wrong early pass
    EXPECT_FALSE(passed);
    semaphore.Release();
    waiter.join();
    EXPECT_TRUE(passed);
    EXPECT_EQ(semaphore.Count(), 0);
}

TEST(SemaphoreTest, WaitForGivesUpOnAnEmptyCount)
{
    Semaphore semaphore;
    EXPECT_FALSE(semaphore.WaitFor(std::chrono::milliseconds(1)));
    semaphore.Release();
    EXPECT_TRUE(semaphore.WaitFor(std::chrono::milliseconds(1)));
}

}  // namespace
}  // namespace baudrill::platform
