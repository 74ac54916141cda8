#include "platform/CommDevice.h"

namespace baudrill::platform {

CommDevice::~CommDevice() = default;

}  // namespace baudrill::platform
