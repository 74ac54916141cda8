// The port's part of the settings file.
#include "monitor/port/SerPort.h"

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

// What loading adds to the items read: values brought into range, the slots' protocols found
// by name, rows marked logged, a new rate applied to an open device. Runs after a loading
// error too, so the port always holds what it relies on.
void AfterLoading(SerPort& port, int baudBefore)
{
    port.baud = LoadedBaud(port.baud, baudBefore);
    port.mode = LoadedMode(port.mode);
    port.slot = LoadedSlotIndex(port.slot);
    MendSlotsOfMode(port.asciiSlots);
    MendSlotsOfMode(port.hexSlots);
    MendSlotsOfMode(port.protoSlots);
    MarkRowsLoaded(port.rows);
    // The flow-control flags wait for the next Open; the rate applies at once. When the
    // device refuses it, the field keeps the loaded rate for the next Open.
    if (port.baud != baudBefore && port.state == SerPort::StateOpen && port.worker->SetBaudRate(port.baud) >= 0 &&
        port.active)
        port.ShowSettings();
}

}  // namespace

void SerPort::Serialize(SettingsStream& stream)
{
    const int baudBefore = baud;
    stream % baud % rtsCts % xonXoff % mode % slot % asciiSlots % hexSlots % protoSlots % rows;
    if (stream.IsLoading())
        AfterLoading(*this, baudBefore);
}

}  // namespace baudrill
