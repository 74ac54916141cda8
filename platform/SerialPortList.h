#pragma once

#include <string>
#include <vector>

namespace baudrill::platform {

// The serial ports of the system, by name ("ttyUSB0"), sorted byte-wise: the entries of
// <sysfsRoot>/class/tty that have a `device` link, leaving out the ttyS* placeholders whose
// `type` file reads 0. No device is opened to probe it.
std::vector<std::string> ListSerialPorts(const std::string& sysfsRoot = "/sys");

}  // namespace baudrill::platform
