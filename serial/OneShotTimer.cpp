#include "serial/OneShotTimer.h"

namespace baudrill {

OneShotTimer::OneShotTimer(unsigned ms, std::atomic<int>* flag, platform::Clock& clock)
    : ms(ms == 0 ? 1 : ms), flag(flag), clock(clock)
{
}

OneShotTimer::~OneShotTimer() { Stop(); }

void OneShotTimer::Start()
{
    Stop();
    armed.store(true);
    timerId = clock.StartTimer(ms, [this] { Expire(); });
    if (timerId == 0)
        Expire();
}

// Kills the last timer started even when it has expired: the kill returns only once its expiry
// is no longer running, so nothing touches *this or the flag afterwards.
void OneShotTimer::Stop()
{
    if (timerId != 0)
        clock.KillTimer(timerId);
    timerId = 0;
    armed.store(false);
}

// Runs on the clock's timer thread and touches only the flag and `armed`: the id belongs to the
// owner's thread, so an expiry can never write to a timer its owner has already stopped.
void OneShotTimer::Expire()
{
    if (flag)
        flag->store(1);
    armed.store(false);
}

}  // namespace baudrill
