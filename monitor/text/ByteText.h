#pragma once

#include <string>
#include <string_view>

namespace baudrill {

// Each byte as two upper-case hexadecimal digits and a blank: "41 0D FF " (the grid's dump
// column and the HEX entry of an attached file).
std::string SpacedHexText(std::string_view bytes);

// The bytes with every control byte (below 0x20) shown as '.', as the dumps and previews show
// them; the other bytes stay as they are.
std::string DottedControls(std::string_view bytes);
void AppendDottedControls(std::string& out, std::string_view bytes);

}  // namespace baudrill
