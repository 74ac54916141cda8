#pragma once

#include <ctime>
#include <string>
#include <string_view>

namespace baudrill {

// The device part of a log file's name: the device name after its last '/', then after its
// last '\', in upper case ("\\.\com3" and "/dev/ttyUSB0" give "COM3" and "TTYUSB0"). Only
// ASCII letters change, whatever the locale; every other byte is kept as it is.
std::string DeviceLogName(std::string_view device);

// "%04d-%02d-%02d_%02d-%02d-%02d" of a local time: the run's part of every log file name.
std::string LogBaseName(const std::tm& time);
// "%04d-%02d": the month folder of a run.
std::string LogMonthName(const std::tm& time);

// The per-user log root: the application-data folder + "/Baudrill/LOG".
std::string DefaultLogRoot();

}  // namespace baudrill
