#pragma once

#include <string_view>

namespace baudrill {

// The bytes that end a word of the rule language, in this order: space, the
// structure characters, the quote, the angle brackets, the colon, LF, CR, TAB.
// Every other byte (control bytes and bytes above 0x7F included) is a word byte.
inline constexpr std::string_view RuleDelimiters{" *;|()[]{}\"<>:\n\r\t", 17};

}  // namespace baudrill
