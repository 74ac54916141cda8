// The port's part of the settings file.
#include "monitor/port/SerPort.h"

#include "monitor/settings/PortItems.h"
#include "monitor/settings/SettingsStream.h"

namespace baudrill {

// The items and what loading makes of them are PortItems'; a loaded rate also applies to an
// open device at once, while the flow-control flags wait for the next Open. When the device
// refuses the rate, the field keeps it for the next Open.
void SerPort::Serialize(SettingsStream& stream)
{
    const int baudBefore = baud;
    PortItems{baud, rtsCts, xonXoff, mode, slot, asciiSlots, hexSlots, protoSlots, rows}.Serialize(stream);
    if (stream.IsLoading() && baud != baudBefore && state == StateOpen && worker->SetBaudRate(baud) >= 0 && active)
        ShowSettings();
}

}  // namespace baudrill
