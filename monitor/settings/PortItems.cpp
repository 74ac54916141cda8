#include "monitor/settings/PortItems.h"

#include "monitor/settings/LoadedPortItems.h"
#include "monitor/settings/SettingsStream.h"

namespace baudrill {

namespace {

void MendSlotsOfMode(std::vector<SendSlot>& slots)
{
    MendLoadedSlots(slots);
    for (SendSlot& s : slots)
        FindSlotProtocols(s);
}

}  // namespace

void PortItems::Serialize(SettingsStream& stream)
{
    const int baudBefore = baud;
    stream % baud % rtsCts % xonXoff % mode % slot % asciiSlots % hexSlots % protoSlots % rows;
    if (!stream.IsLoading())
        return;
    // Runs after a loading error too, so the port always holds what it relies on.
    baud = LoadedBaud(baud, baudBefore);
    mode = LoadedMode(mode);
    slot = LoadedSlotIndex(slot);
    MendSlotsOfMode(asciiSlots);
    MendSlotsOfMode(hexSlots);
    MendSlotsOfMode(protoSlots);
    MarkRowsLoaded(rows);
}

}  // namespace baudrill
