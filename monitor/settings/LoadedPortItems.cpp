#include "monitor/settings/LoadedPortItems.h"

#include <algorithm>

#include "grammar/GrammarRegistry.h"
#include "monitor/send/SendMode.h"
#include "monitor/text/ProgramTexts.h"

namespace baudrill {

namespace {

// Empties the name when no protocol has it.
Uuid FindOrForget(std::string& name)
{
    const Uuid id = FindProtocolByName(name);
    if (id.IsNull())
        name.clear();
    return id;
}

}  // namespace

int LoadablePortCount(std::size_t names, std::size_t bytesLeft)
{
    const std::size_t count = std::min(names, static_cast<std::size_t>(MaxLoadedPorts));
    return bytesLeft / MinStoredPortBytes < count ? -1 : static_cast<int>(count);
}

int LoadedMode(int mode) { return mode >= ModeProto && mode <= ModeHex ? mode : ModeAscii; }

int LoadedSlotIndex(int slot) { return slot >= 0 && slot < SendSlotCount ? slot : 0; }

int LoadedBaud(int loaded, int before) { return loaded > 0 ? loaded : before; }

void MendLoadedSlots(std::vector<SendSlot>& slots)
{
    slots.resize(SendSlotCount);
    const SendSlot defaults;
    for (SendSlot& s : slots) {
        if (s.repeatPeriod < 1 || s.repeatPeriod > RepeatPeriodMax)
            s.repeatPeriod = defaults.repeatPeriod;
        if (s.actionDelay < 0)
            s.actionDelay = defaults.actionDelay;
    }
}

Uuid FindProtocolByName(const std::string& name)
{
    if (name.empty())
        return Uuid();
    const auto* space = GrammarRegistry::Instance().FindNamespace(GrammarNamespace);
    if (!space)
        return Uuid();
    return space->GetKey(space->FindName(name));
}

void FindSlotProtocols(SendSlot& slot)
{
    slot.protoId = FindOrForget(slot.protoName);
    slot.answerId = FindOrForget(slot.answerProtoName);
}

void MarkRowsLoaded(std::vector<LogLine>& rows)
{
    for (LogLine& row : rows) {
        row.logged = true;
        if (row.height <= 0 || row.lineCount <= 0) {
            row.height = 0;
            row.lineCount = 0;
        }
    }
}

}  // namespace baudrill
