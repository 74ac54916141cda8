#include "monitor/grid/DumpText.h"

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

std::string DumpHexText(std::string_view chunk)
{
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(chunk.size() * 3);
    for (const char c : chunk) {
        const auto byte = static_cast<unsigned char>(c);
        text += digits[byte >> 4];
        text += digits[byte & 0x0F];
        text += ' ';
    }
    return text;
}

std::string DumpCharacterText(std::string_view chunk)
{
    std::string shown(chunk);
    for (char& c : shown)
        if (static_cast<unsigned char>(c) < 0x20)
            c = '.';
    return FromOemCharset(shown);
}

}  // namespace baudrill
