#pragma once

#include <string>
#include <string_view>

namespace baudrill {

// The entry text that stands for the bytes of an attached file, so that the entry sends
// exactly those bytes.

// ASCII entry: bytes 0x20 to 0x7F as themselves, a backslash doubled ("\\"), every other byte
// as a backslash and two upper-case hexadecimal digits.
std::string AsciiEntryText(std::string_view bytes);

// HEX entry: SpacedHexText (monitor/text/ByteText.h).

}  // namespace baudrill
