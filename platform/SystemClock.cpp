#include "platform/SystemClock.h"

#include <time.h>

#include <cerrno>
#include <chrono>
#include <system_error>

#include "platform/TickCount.h"

namespace baudrill::platform {

namespace {

uint64_t SteadyNanoseconds()
{
    return static_cast<uint64_t>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
            .count());
}

}  // namespace

// Never destroyed: objects of static duration destroyed at exit may still time things on it.
// Its timer thread ends with the process.
SystemClock& SystemClock::Instance()
{
    static SystemClock* clock = new SystemClock;
    return *clock;
}

SystemClock::SystemClock() = default;

SystemClock::~SystemClock()
{
    stop_ = true;
    timers_.StopWaiting();
    std::lock_guard lock(threadMutex_);
    if (thread_.joinable())
        thread_.join();
}

uint32_t SystemClock::Tick() { return TickCount(); }

void SystemClock::Sleep(int ms)
{
    if (ms <= 0)
        return;
    timespec left{ms / 1000, static_cast<long>(ms % 1000) * 1000000L};
    while (clock_nanosleep(CLOCK_MONOTONIC, 0, &left, &left) == EINTR) {}
}

TimerId SystemClock::StartTimer(unsigned ms, TimerCallback callback)
{
    {
        std::lock_guard lock(threadMutex_);
        if (!thread_.joinable()) {
            try {
                thread_ = std::thread(&SystemClock::Run, this);
            } catch (const std::system_error&) {
                return 0;
            }
        }
    }
    return timers_.Add(SteadyNanoseconds() + uint64_t{ms} * 1000000u, std::move(callback));
}

void SystemClock::KillTimer(TimerId id) { timers_.Kill(id); }

void SystemClock::Run()
{
    while (!stop_) {
        if (!timers_.RunOneDue(SteadyNanoseconds()))
            timers_.WaitForDue();
    }
}

}  // namespace baudrill::platform
