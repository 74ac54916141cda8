#include "monitor/settings/WindowItems.h"

#include "monitor/text/ProgramTexts.h"
#include "monitor/settings/LoadedPortItems.h"
#include "monitor/settings/SettingsStream.h"

namespace baudrill {

int WindowItems::Serialize(SettingsStream& stream)
{
    stream % version;
    if (stream.IsStoring()) {
        stream % placement % header % tab % portNames;
        return static_cast<int>(portNames.size());
    }
    if (stream.IsError() || version != VersionText)
        return -1;
    stream % placement;
    placementLoaded = !stream.IsError();
    stream % header;
    headerLoaded = !stream.IsError();
    stream % tab % portNames;
    if (stream.IsError())
        return -1;
    const int count = LoadablePortCount(portNames.size(), stream.Content().size());
    if (count < 0) {
        stream.SetError();
        return -1;
    }
    portNames.resize(static_cast<std::size_t>(count));
    return count;
}

}  // namespace baudrill
