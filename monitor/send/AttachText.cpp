#include "monitor/send/AttachText.h"

#include "grammar/NumberText.h"

namespace baudrill {

std::string AsciiEntryText(std::string_view bytes)
{
    std::string text;
    text.reserve(bytes.size());
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '\\') {
            text += "\\\\";  // a lone backslash would start an escape and change the bytes
        } else if (byte >= 0x20 && byte <= 0x7F) {
            text += c;
        } else {
            text += '\\';
            AppendHexByte(text, byte);
        }
    }
    return text;
}

}  // namespace baudrill
