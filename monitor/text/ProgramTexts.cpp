#include "monitor/text/ProgramTexts.h"

#include "platform/TickCount.h"

namespace baudrill {

const uint32_t StartTick = platform::TickCount();

}  // namespace baudrill
