#include "grammar/actions/DecimalConversion.h"

#include "grammar/Value.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

namespace baudrill {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Drops a leading sign; true when it was a minus.
bool TakeSign(std::string_view& text)
{
    if (text.empty() || (text.front() != '-' && text.front() != '+'))
        return false;
    const bool negative = text.front() == '-';
    text.remove_prefix(1);
    return negative;
}

constexpr double DoubleLimit = 1e307;

}  // namespace

std::int32_t ConvertDecimalInt(std::string_view text)
{
    const bool negative = TakeSign(text);
    if (text.empty() || !IsDigit(text.front()))
        return Value::IntNull;
    std::uint64_t magnitude = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, magnitude);
    if (ec != std::errc() || ptr != end ||
        magnitude > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max()))
        return Value::IntNull;
    const auto value = static_cast<std::int32_t>(magnitude);
    return negative ? -value : value;
}

double ConvertDecimalDouble(std::string_view text)
{
    const bool negative = TakeSign(text);
    // from_chars takes a point only: copy the number with its separator as one.
    std::string number = negative ? "-" : "";
    bool separator = false;
    bool digits = false;
    bool integerPart = false;  // a nonzero digit before the separator
    for (char c : text) {
        if (IsDigit(c)) {
            digits = true;
            integerPart = integerPart || (!separator && c != '0');
            number += c;
        } else if ((c == '.' || c == ',') && !separator) {
            separator = true;
            number += '.';
        } else {
            break;
        }
    }
    if (!digits)
        return Value::DoubleNull;
    double value = 0;
    auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value, std::chars_format::fixed);
    if (ec == std::errc::result_out_of_range) {
        // Too large is out of range; too small to tell from zero is zero.
        if (integerPart)
            return Value::DoubleNull;
        value = negative ? -0.0 : 0.0;
    } else if (ec != std::errc()) {
        return Value::DoubleNull;
    }
    if (!std::isfinite(value) || std::fabs(value) > DoubleLimit)
        return Value::DoubleNull;
    return value;
}

}  // namespace baudrill
