// Placeholder: the port's part of the settings file is being written.
#include "monitor/port/SerPort.h"

namespace baudrill {

void SerPort::Serialize(SettingsStream&) {}

}  // namespace baudrill
