#pragma once

#include <string>
#include <string_view>

namespace baudrill {

// The texts of one dump line of a log row.

// The bytes of dump line `line`: up to `bytesPerRow` bytes from line * bytesPerRow, fewer or
// none at the end of the data.
std::string_view DumpChunk(std::string_view data, int line, int bytesPerRow);

// The bytes as OEM characters (UTF-8), each control byte below 0x20 shown as '.'.
std::string DumpCharacterText(std::string_view chunk);

}  // namespace baudrill
