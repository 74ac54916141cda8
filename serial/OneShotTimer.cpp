#include "serial/OneShotTimer.h"

namespace baudrill {

OneShotTimer::OneShotTimer(unsigned ms, std::atomic<int>* flag, platform::Clock& clock)
    : ms(ms == 0 ? 1 : ms), flag(flag), clock(clock) {}

OneShotTimer::~OneShotTimer() { Stop(); }

void OneShotTimer::Start() {
    Stop();
    platform::TimerId id = clock.StartTimer(ms, [this] { Expire(); });
    if (id == 0) {
        Expire();
        return;
    }
    // Should the timer already have expired, this leaves a stale id behind; killing an expired
    // timer is harmless.
    timerId.store(id);
}

void OneShotTimer::Stop() {
    platform::TimerId id = timerId.exchange(0);
    if (id != 0) clock.KillTimer(id);
}

// Runs on the clock's timer thread: the flag first, the id last (the last touch of *this).
void OneShotTimer::Expire() {
    if (flag) flag->store(1);
    timerId.store(0);
}

}  // namespace baudrill
