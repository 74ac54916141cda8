#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "grammar/Uuid.h"
#include "monitor/traffic/LogLine.h"
#include "monitor/send/SendSlot.h"

namespace baudrill {

// What loading a port from the settings file does with the values it read: the file does not
// bound them, so each is brought into the range the port relies on.

// At most this many ports are re-created from one file.
inline constexpr int MaxLoadedPorts = 256;
inline constexpr int RepeatPeriodMax = 1000000;  // ms
// The least a port takes in the file: its five settings (14 bytes) and four empty vectors.
inline constexpr int MinStoredPortBytes = 18;

// How many of the stored port names get a port: at most MaxLoadedPorts; -1 (a loading error)
// when the bytes left cannot hold the items of that many ports.
int LoadablePortCount(std::size_t names, std::size_t bytesLeft);

// 0 PROTO to 2 HEX; anything else is ASCII.
int LoadedMode(int mode);
// 0 to 9; anything else is 0.
int LoadedSlotIndex(int slot);
// A rate of 0 or below keeps the rate the port had.
int LoadedBaud(int loaded, int before);
// Exactly SendSlotCount slots (missing ones default, extra ones dropped); a repeat period
// outside 1 to RepeatPeriodMax and a negative answer delay get the defaults.
void MendLoadedSlots(std::vector<SendSlot>& slots);
// The Uuid of the first article of the grammar namespace named `name`, or the null Uuid.
Uuid FindProtocolByName(const std::string& name);
// protoId and answerId from the names; a name that no protocol has any more is emptied.
void FindSlotProtocols(SendSlot& slot);
// Loaded rows are never handed to the log writer again; a height or line count that is not
// positive is recomputed (height 0).
void MarkRowsLoaded(std::vector<LogLine>& rows);

}  // namespace baudrill
