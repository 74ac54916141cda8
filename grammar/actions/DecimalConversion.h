#pragma once

#include <cstdint>
#include <string_view>

namespace baudrill {

// Decimal text to numbers, as the text actions read them. Both are written on
// std::from_chars, so no locale can change what they accept.

// An optional sign ('+' or '-') and one or more digits, nothing else, in the
// range -2147483647 to 2147483647. Any other text gives the int null value.
std::int32_t ConvertDecimalInt(std::string_view text);

// The longest decimal fraction at the start of the text: an optional sign,
// digits and at most one decimal separator, a point or a comma, which may come
// before the first digit ("-.5"). No exponent. The rest of the text is ignored.
// No digit, or a number outside -1e307 to 1e307, gives the double null value.
double ConvertDecimalDouble(std::string_view text);

}  // namespace baudrill
