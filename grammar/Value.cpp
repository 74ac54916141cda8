#include "grammar/Value.h"

#include <charconv>
#include <cmath>

namespace baudrill {

namespace {

// Numeric equality across kinds without losing precision on large int64 values.
bool Int64EqualsDouble(std::int64_t i, double d)
{
    if (!std::isfinite(d) || d != std::trunc(d))
        return false;
    if (d < -9223372036854775808.0 || d >= 9223372036854775808.0)
        return false;
    return static_cast<std::int64_t>(d) == i;
}

bool NumbersEqual(const Value& a, const Value& b)
{
    if (a.IsDouble() && b.IsDouble())
        return a.GetDouble() == b.GetDouble();
    if (a.IsDouble())
        return Int64EqualsDouble(b.IsInt() ? b.GetInt() : b.GetInt64(), a.GetDouble());
    if (b.IsDouble())
        return Int64EqualsDouble(a.IsInt() ? a.GetInt() : a.GetInt64(), b.GetDouble());
    std::int64_t x = a.IsInt() ? a.GetInt() : a.GetInt64();
    std::int64_t y = b.IsInt() ? b.GetInt() : b.GetInt64();
    return x == y;
}

}  // namespace

const std::string& Value::NoText()
{
    static const std::string empty;
    return empty;
}

bool Value::IsNull() const
{
    switch (GetKind()) {
    case Kind::Void: return true;
    case Kind::Int: return number_.i == IntNull;
    case Kind::Int64: return number_.l == Int64Null;
    case Kind::Double: return number_.d == DoubleNull;
    case Kind::String: return text_.s.empty();
    }
    return true;
}

bool operator==(const Value& a, const Value& b)
{
    if (a.GetKind() == b.GetKind() && !a.IsNumber())
        return a.GetString() == b.GetString();  // void == void, or the same bytes
    if (a.IsNumber() && b.IsNumber())
        return NumbersEqual(a, b);
    return a.IsNull() && b.IsNull();
}

std::string FormatDouble(double v)
{
    if (std::isnan(v))
        return "nan";
    if (std::isinf(v))
        return v < 0 ? "-inf" : "inf";

    // Round to 15 significant digits first: the rounding decides the exponent.
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 14);
    std::string_view sci(buf, static_cast<std::size_t>(res.ptr - buf));
    bool negative = sci.front() == '-';
    if (negative)
        sci.remove_prefix(1);
    std::size_t ePos = sci.find('e');
    int exponent = 0;
    std::string_view expText = sci.substr(ePos + 1);
    if (!expText.empty() && expText.front() == '+')
        expText.remove_prefix(1);
    std::from_chars(expText.data(), expText.data() + expText.size(), exponent);

    std::string digits;  // significant digits, trailing zeros removed
    for (char c : sci.substr(0, ePos))
        if (c != '.')
            digits += c;
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    std::string out = negative ? "-" : "";
    if (digits == "0")
        return out + "0";
    if (exponent < -6 || exponent >= 15) {
        out += digits.front();
        if (digits.size() > 1) {
            out += '.';
            out.append(digits, 1);
        }
        out += 'e';
        out += std::to_string(exponent);
        return out;
    }
    if (exponent < 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out += digits;
        return out;
    }
    std::size_t intDigits = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= intDigits) {
        out += digits;
        out.append(intDigits - digits.size(), '0');
    } else {
        out.append(digits, 0, intDigits);
        out += '.';
        out.append(digits, intDigits);
    }
    return out;
}

std::string Value::ToString() const
{
    if (IsNull() && GetKind() != Kind::String)
        return {};
    switch (GetKind()) {
    case Kind::Void: return {};
    case Kind::Int: return std::to_string(number_.i);
    case Kind::Int64: return std::to_string(number_.l);
    case Kind::Double: return FormatDouble(number_.d);
    case Kind::String: return text_.s;
    }
    return {};
}

}  // namespace baudrill
