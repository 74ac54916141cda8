#pragma once

#include "platform/Clock.h"
#include "platform/SystemClock.h"

namespace baudrill {

// Sleeps `ms` milliseconds on the clock. The system clock sleeps on CLOCK_MONOTONIC, which has
// no coarse timer resolution to raise, so a 1 ms sleep really lasts about 1 ms.
void PreciseSleep(int ms, platform::Clock& clock = platform::SystemClock::Instance());

}  // namespace baudrill
