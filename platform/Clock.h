#pragma once

#include <cstdint>
#include <functional>

namespace baudrill::platform {

using TimerId = uint32_t;  // 0: no timer
using TimerCallback = std::function<void()>;

// Time as the serial classes use it: the tick count, sleeps and one-shot millisecond timers.
// SystemClock is the real one; FakeClock lets tests decide when time passes.
class Clock {
public:
    virtual ~Clock();

    virtual uint32_t Tick() = 0;
    virtual void Sleep(int ms) = 0;
    // Runs `callback` once, `ms` milliseconds from now, on the clock's timer context (never
    // on the caller's stack). Returns 0 when no timer could be armed.
    virtual TimerId StartTimer(unsigned ms, TimerCallback callback) = 0;
    // Returns only when the timer's callback is neither due nor running (unless it is called
    // from that callback itself). Unknown or expired ids are ignored.
    virtual void KillTimer(TimerId id) = 0;
};

}  // namespace baudrill::platform
