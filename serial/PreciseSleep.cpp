#include "serial/PreciseSleep.h"

namespace baudrill {

void PreciseSleep(int ms, platform::Clock& clock) { clock.Sleep(ms); }

}  // namespace baudrill
