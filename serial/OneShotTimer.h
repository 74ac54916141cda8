#pragma once

#include <atomic>

#include "platform/Clock.h"
#include "platform/SystemClock.h"

namespace baudrill {

// A one-shot millisecond timer that sets the caller's flag to 1 when it expires, on the clock's
// timer thread. Stopping it (and destroying it) returns only once the expiry can no longer
// touch the flag, so the flag may live on the caller's stack.
class OneShotTimer {
public:
    OneShotTimer(unsigned ms, std::atomic<int>* flag, platform::Clock& clock = platform::SystemClock::Instance());
    ~OneShotTimer();
    OneShotTimer(const OneShotTimer&) = delete;
    OneShotTimer& operator=(const OneShotTimer&) = delete;

    // Stops a running timer and arms it anew. A timer the clock cannot arm expires at once,
    // so a timed loop still ends.
    void Start();
    void Stop();
    bool IsArmed() const { return armed.load(); }
    unsigned Delay() const { return ms; }

private:
    void Expire();

    unsigned ms;
    std::atomic<int>* flag;
    platform::TimerId timerId = 0;   // the last timer started; only the owner's thread uses it
    std::atomic<bool> armed{false};  // started and neither expired nor stopped
    platform::Clock& clock;
};

}  // namespace baudrill
