#include "platform/DevicePath.h"

namespace baudrill::platform {

std::string DevicePathForPort(const std::string& portName)
{
    if (portName.empty() || portName.front() == '/')
        return portName;
    return DevicePrefix + portName;
}

}  // namespace baudrill::platform
