#pragma once

#include <string>

namespace baudrill::platform {

// The prefix that names a device in the device folder ("ttyUSB0" opens "/dev/ttyUSB0").
inline constexpr const char* DevicePrefix = "/dev/";

// The device path a port name opens: the name itself when it is empty or begins with '/',
// else DevicePrefix and the name.
std::string DevicePathForPort(const std::string& portName);

}  // namespace baudrill::platform
