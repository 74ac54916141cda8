#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>

#include "platform/Clock.h"
#include "platform/TimerScheduler.h"

namespace baudrill::platform {

// A clock for tests: time passes only when someone sleeps on it or advances it, and timers fire
// on the thread that moves time past them, in due order, each seeing its own due time as Tick().
//
// AutoAdvance: Sleep(ms) moves time forward by ms and returns (single-threaded code runs its
// timed loops at full speed, deterministically). Manual: Sleep blocks until another thread has
// advanced time far enough; WaitForSleepers lets that thread wait until the code under test
// sleeps.
class FakeClock final : public Clock {
public:
    enum class Mode { AutoAdvance, Manual };

    explicit FakeClock(Mode mode = Mode::AutoAdvance, uint32_t startTick = 0);

    uint32_t Tick() override;
    void Sleep(int ms) override;
    TimerId StartTimer(unsigned ms, TimerCallback callback) override;
    void KillTimer(TimerId id) override;

    void Advance(uint32_t ms);
    uint64_t Elapsed() const;  // milliseconds since construction, never wraps
    int Sleepers() const;
    // Waits (in real time, at most `limit`) until at least `count` threads sleep on the clock.
    bool WaitForSleepers(int count, std::chrono::milliseconds limit = std::chrono::seconds(10));
    std::size_t ArmedTimers() const;

private:
    void MoveTo(uint64_t elapsed);

    const Mode mode_;
    const uint32_t startTick_;
    TimerScheduler timers_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    uint64_t elapsed_ = 0;
    int sleepers_ = 0;
};

}  // namespace baudrill::platform
