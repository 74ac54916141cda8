#include "grammar/compiler/RuleNumbers.h"

#include "grammar/NumberText.h"

#include <charconv>
#include <system_error>

namespace baudrill {

namespace {

bool IsBlank(char c)
{
    const auto b = static_cast<unsigned char>(c);
    return b >= 0x01 && b <= 0x20;
}

// The text without the blanks around it.
std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<std::int32_t> ConvertBoundedInt(std::string_view text, std::int32_t min, std::int32_t max)
{
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;
    std::int64_t magnitude = 0;
    for (char c : text) {
        if (!IsDigit(c))
            return std::nullopt;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > (std::int64_t{1} << 32))
            return std::nullopt;  // far outside any int range; stop before it could overflow
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value < min || value > max)
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::optional<double> ConvertBoundedDouble(std::string_view text, double min, double max)
{
    text = TrimBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // from_chars would also take "inf" and "nan": a number starts with a digit or a point.
    if (text.empty() || !(IsDigit(text.front()) || text.front() == '.'))
        return std::nullopt;
    double value = 0;
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, value, std::chars_format::general);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    if (negative)
        value = -value;
    if (value < min || value > max)
        return std::nullopt;
    return value;
}

std::optional<Value> ConvertRuleArgument(std::string_view word)
{
    if (word.find('.') != std::string_view::npos) {
        std::optional<double> d = ConvertBoundedDouble(word, -1e307, 1e307);
        return d ? std::optional<Value>(Value(*d)) : std::nullopt;
    }
    if (word.size() > 2 && word[0] == '0' && word[1] == 'x')
        return Value(ScanInt(word.substr(2), 16));
    std::optional<std::int32_t> i = ConvertBoundedInt(word, -2147483647, 2147483647);
    return i ? std::optional<Value>(Value(*i)) : std::nullopt;
}

}  // namespace baudrill
