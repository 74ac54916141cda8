#pragma once

#include <string>
#include <string_view>

namespace baudrill {

// The byte-to-character table of the PC's OEM code page (CP437), in which the HEX preview
// and the log grid show bytes: bytes below 0x80 are ASCII, the upper half the code page's
// letters, symbols and box-drawing characters. Returns UTF-8; every byte gives one character.
std::string FromOemCharset(std::string_view bytes);

// The character of one byte, as a Unicode code point.
char32_t OemCharacter(unsigned char byte);

}  // namespace baudrill
