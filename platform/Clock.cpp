#include "platform/Clock.h"

namespace baudrill::platform {

Clock::~Clock() = default;

}  // namespace baudrill::platform
