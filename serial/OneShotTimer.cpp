#include "serial/OneShotTimer.h"

namespace baudrill {

OneShotTimer::OneShotTimer(unsigned ms, std::atomic<int>* flag, platform::Clock& clock)
    : ms(ms == 0 ? 1 : ms), flag(flag), clock(clock) {}

OneShotTimer::~OneShotTimer() { Stop(); }

void OneShotTimer::Start() {
    Stop();
    armed.store(true);
    platform::TimerId id = clock.StartTimer(ms, [this] { Expire(); });
    if (id == 0) {
        Expire();
        return;
    }
    timerId.store(id);
    // Expired before its id was stored: no id is left behind (an expiry from now on clears it
    // itself).
    if (!armed.load()) timerId.store(0);
}

void OneShotTimer::Stop() {
    platform::TimerId id = timerId.exchange(0);
    if (id != 0) clock.KillTimer(id);
    armed.store(false);
}

// Runs on the clock's timer thread: the flag first, the id last (the last touch of *this).
void OneShotTimer::Expire() {
    if (flag) flag->store(1);
    armed.store(false);
    timerId.store(0);
}

}  // namespace baudrill
