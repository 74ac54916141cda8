#include "grammar/actions/DecimalFormat.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string_view>

namespace baudrill {

namespace {

// Widths up to 9 are written "%0Nd" (the zero flag), wider ones "%Nd".
constexpr int WidestZeroFill = 9;

// Fills `text` to `width` characters the way the conversion's flags say.
std::string FillField(std::string_view text, int width, bool zeroFillAllowed)
{
    std::string out(text);
    if (width <= 0 || out.size() >= static_cast<std::size_t>(width))
        return out;
    const std::size_t fill = static_cast<std::size_t>(width) - out.size();
    if (zeroFillAllowed && width <= WidestZeroFill) {
        const std::size_t afterSign = !out.empty() && out.front() == '-' ? 1 : 0;
        out.insert(afterSign, fill, '0');
    } else {
        out.insert(0, fill, ' ');
    }
    return out;
}

}  // namespace

std::string FormatDecimal(std::int64_t value, int width)
{
    std::array<char, 24> buffer;
    auto [ptr, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    (void)ec;  // 24 characters hold every int64
    return FillField(std::string_view(buffer.data(), static_cast<std::size_t>(ptr - buffer.data())), width, true);
}

std::string FormatFixed(double value, int width)
{
    // The largest double has 309 integer digits; with a sign, a point and six
    // decimals 320 characters are enough.
    std::array<char, 320> buffer;
    auto [ptr, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, 6);
    if (ec != std::errc())
        return {};
    return FillField(std::string_view(buffer.data(), static_cast<std::size_t>(ptr - buffer.data())), width,
                     std::isfinite(value));
}

}  // namespace baudrill
