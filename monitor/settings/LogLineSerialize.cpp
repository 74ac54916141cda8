#include "monitor/traffic/LogLine.h"
#include "monitor/settings/SettingsStream.h"

namespace baudrill {

// `logged` is not stored: whoever loads the rows marks them logged.
void LogLine::Serialize(SettingsStream& stream)
{
    stream % direction % data % protoName % protoValues % timeText % height % lineCount;
}

}  // namespace baudrill
