#include "monitor/send/AttachText.h"

namespace baudrill {

namespace {

constexpr char UpperDigits[] = "0123456789ABCDEF";

void AppendHexDigits(std::string& text, unsigned char byte)
{
    text += UpperDigits[byte >> 4];
    text += UpperDigits[byte & 15];
}

}  // namespace

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
            AppendHexDigits(text, byte);
        }
    }
    return text;
}

std::string HexEntryText(std::string_view bytes)
{
    std::string text;
    text.reserve(3 * bytes.size());
    for (char c : bytes) {
        AppendHexDigits(text, static_cast<unsigned char>(c));
        text += ' ';
    }
    return text;
}

}  // namespace baudrill
