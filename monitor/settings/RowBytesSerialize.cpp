#include "monitor/traffic/RowBytes.h"
#include "monitor/settings/SettingsStream.h"

#include <string>

namespace baudrill {

void RowBytes::Serialize(SettingsStream& stream)
{
    // A failed load leaves the bytes as they were.
    std::string text = str();
    stream.Serialize(text);
    if (stream.IsLoading())
        *this = RowBytes(text);
}

}  // namespace baudrill
