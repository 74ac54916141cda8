#include "platform/TickCount.h"

#include <time.h>

namespace baudrill::platform {

int64_t MonotonicMs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

uint32_t TickCount() { return static_cast<uint32_t>(MonotonicMs()); }

}  // namespace baudrill::platform
