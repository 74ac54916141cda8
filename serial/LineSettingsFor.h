#pragma once

#include "platform/LineSettings.h"
#include "serial/SerialSettings.h"

namespace baudrill {

// The driver's line settings for a port's settings record, built from scratch: DTR asserted,
// RTS asserted or under handshake, XON/XOFF both ways or not at all, parity checking off, word
// length unchanged, parity codes 1-4 as given (anything else none), two stop bits only for 2.
platform::LineSettings LineSettingsFor(const SerialSettings& settings);

}  // namespace baudrill
