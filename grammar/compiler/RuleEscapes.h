#pragma once

#include <string>
#include <string_view>

namespace baudrill {

// Replaces the escapes of a word, literal or quoted argument of the rule
// language. Scanning from the left, a backslash with at least two more bytes
// after it becomes, with those two, the one byte of their base-16 ScanInt value
// (low 8 bits: "\41" is 'A', "\4Z" 0x04, "\ZZ" 0x00); scanning resumes after
// the byte produced. A backslash with fewer than two bytes after it stays.
std::string UnescapeRuleText(std::string_view run);

}  // namespace baudrill
