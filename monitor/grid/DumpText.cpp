#include "monitor/grid/DumpText.h"

#include "monitor/text/ByteText.h"
#include "monitor/text/OemCharset.h"

namespace baudrill {

std::string_view DumpChunk(std::string_view data, int line, int bytesPerRow)
{
    if (line < 0 || bytesPerRow <= 0)
        return {};
    const std::size_t offset = static_cast<std::size_t>(line) * static_cast<std::size_t>(bytesPerRow);
    if (offset >= data.size())
        return {};
    return data.substr(offset, static_cast<std::size_t>(bytesPerRow));
}

std::string DumpCharacterText(std::string_view chunk) { return FromOemCharset(DottedControls(chunk)); }

}  // namespace baudrill
