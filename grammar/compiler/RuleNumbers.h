#pragma once

#include "grammar/Value.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace baudrill {

// Whole-text number conversions of the rule language (never locale-dependent).
// Anything besides the number, no digit at all, or a number outside [min, max]
// gives nothing.

// An optional sign and decimal digits, nothing else (no blank or control byte
// around them: a rule's word ends only at a delimiter, so such a byte is part
// of the word).
std::optional<std::int32_t> ConvertBoundedInt(std::string_view text, std::int32_t min, std::int32_t max);
// An optional sign, digits with at most one point, an optional exponent;
// leading and trailing bytes 0x01 to 0x20 are allowed.
std::optional<double> ConvertBoundedDouble(std::string_view text, double min, double max);

// The value of an action argument written as a bare word: a word holding '.'
// is a double within +-1e307; a word of three or more bytes that begins with
// "0x" is the int of the hexadecimal digits after it, unchecked (no digit gives
// the int null); any other word is a decimal int within +-2147483647.
// Nothing when the word does not convert.
std::optional<Value> ConvertRuleArgument(std::string_view word);

}  // namespace baudrill
