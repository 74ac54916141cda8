#pragma once

#include <atomic>
#include <mutex>
#include <thread>

#include "platform/Clock.h"
#include "platform/TimerScheduler.h"

namespace baudrill::platform {

// The real clock: the tick count, sleeps on CLOCK_MONOTONIC and one timer thread of the layer
// (started with the first timer) that runs every timer callback.
class SystemClock final : public Clock {
public:
    // The clock shared by the program; it lives until the process ends.
    static SystemClock& Instance();

    SystemClock();
    ~SystemClock() override;
    SystemClock(const SystemClock&) = delete;
    SystemClock& operator=(const SystemClock&) = delete;

    uint32_t Tick() override;
    void Sleep(int ms) override;
    TimerId StartTimer(unsigned ms, TimerCallback callback) override;
    void KillTimer(TimerId id) override;

private:
    void Run();

    TimerScheduler timers_;
    std::mutex threadMutex_;
    std::thread thread_;
    std::atomic<bool> stop_{false};
};

}  // namespace baudrill::platform
