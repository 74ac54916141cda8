#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace baudrill {

// Byte strings are std::string; every byte counts as unsigned char. These
// helpers clamp their positions to the string, so no call ever reads past
// either end (a negative start or count counts as 0).
std::string Mid(std::string_view s, std::ptrdiff_t pos, std::ptrdiff_t count);
std::string Mid(std::string_view s, std::ptrdiff_t pos);
std::string Left(std::string_view s, std::ptrdiff_t count);
std::string Right(std::string_view s, std::ptrdiff_t count);

// The byte at an index as 0..255.
inline unsigned Byte(std::string_view s, std::size_t i) { return static_cast<unsigned char>(s[i]); }

}  // namespace baudrill
