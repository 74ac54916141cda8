#include "monitor/send/SendSlot.h"
#include "monitor/settings/SettingsStream.h"

namespace baudrill {

// The protocols are stored by name only; whoever loads the slot looks the names up.
void SendSlot::Serialize(SettingsStream& stream)
{
    stream % entry % protoName % isCR % isLF % isParse % isIgnoreStarting % isDisplayHex % isActionAnswer %
        answerProtoName % isRepeat % repeatPeriod % actionDelay;
}

}  // namespace baudrill
