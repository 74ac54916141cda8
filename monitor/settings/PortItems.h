#pragma once

#include <vector>

#include "monitor/traffic/LogLine.h"
#include "monitor/send/SendSlot.h"

namespace baudrill {

class SettingsStream;

// One port's items in the settings file, in the file's order, as references to the port's own
// fields: the rate, the two flow-control flags, the send mode and profile slot, the ASCII, HEX
// and PROTO slots and the rows.
struct PortItems {
    int& baud;
    bool& rtsCts;
    bool& xonXoff;
    int& mode;
    int& slot;
    std::vector<SendSlot>& asciiSlots;
    std::vector<SendSlot>& hexSlots;
    std::vector<SendSlot>& protoSlots;
    std::vector<LogLine>& rows;

    // Stores or loads the items. A load, cut short by an error or not, then brings every value
    // into the range the port relies on (LoadedPortItems.h), finds the slots' protocols by name
    // and marks the rows logged.
    void Serialize(SettingsStream& stream);
};

}  // namespace baudrill
