#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

#include "platform/Clock.h"

namespace baudrill::test {

// Arms a timer whose callback blocks until released, kills it from another thread while the
// callback runs, and checks that the kill returned only after the callback had finished.
// `passTime` (run on a thread of its own) makes the timer due on clocks that need it.
inline void ExpectKillWaitsForRunningCallback(platform::Clock& clock, const std::function<void()>& passTime)
{
    std::atomic<bool> entered{false}, release{false}, finished{false};
    platform::TimerId id = clock.StartTimer(1, [&] {
        entered = true;
        while (!release)
            std::this_thread::yield();
        finished = true;
    });
    std::thread timePasser([&] {
        if (passTime)
            passTime();
    });
    while (!entered)
        std::this_thread::yield();
    std::atomic<bool> killReturned{false};
    bool finishedWhenKillReturned = false;
    std::thread killer([&] {
        clock.KillTimer(id);
        finishedWhenKillReturned = finished;
        killReturned = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));  // room for a wrong early return
    EXPECT_FALSE(killReturned);
    release = true;
    killer.join();
    timePasser.join();
    EXPECT_TRUE(finishedWhenKillReturned);
}

}  // namespace baudrill::test
