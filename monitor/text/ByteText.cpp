#include "monitor/text/ByteText.h"

#include "grammar/NumberText.h"

namespace baudrill {

std::string SpacedHexText(std::string_view bytes)
{
    std::string text;
    text.reserve(3 * bytes.size());
    for (const char c : bytes) {
        AppendHexByte(text, static_cast<unsigned char>(c));
        text += ' ';
    }
    return text;
}

void AppendDottedControls(std::string& out, std::string_view bytes)
{
    for (const char c : bytes)
        out += static_cast<unsigned char>(c) < 0x20 ? '.' : c;
}

std::string DottedControls(std::string_view bytes)
{
    std::string shown;
    shown.reserve(bytes.size());
    AppendDottedControls(shown, bytes);
    return shown;
}

}  // namespace baudrill
