#include "grammar/NumberText.h"

#include "grammar/Value.h"

namespace baudrill {

int DigitValue(unsigned char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'Z')
        return c - 'A' + 10;
    return 99;
}

std::int32_t ScanInt(std::string_view text, int base)
{
    if (base < 2 || base > 36)
        return Value::IntNull;
    std::size_t i = 0;
    while (i < text.size() && static_cast<unsigned char>(text[i]) >= 0x01 &&
           static_cast<unsigned char>(text[i]) <= 0x20)
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    std::uint32_t result = 0;
    bool anyDigit = false;
    for (; i < text.size(); ++i) {
        int d = DigitValue(static_cast<unsigned char>(text[i]));
        if (d >= base)
            break;
        result = result * static_cast<std::uint32_t>(base) + static_cast<std::uint32_t>(d);
        anyDigit = true;
    }
    if (!anyDigit)
        return Value::IntNull;
    if (negative)
        result = 0u - result;
    return static_cast<std::int32_t>(result);
}

std::string FormatIntHex(std::uint32_t value, int minDigits, char fill)
{
    static constexpr char LowerDigits[] = "0123456789abcdef";
    std::string digits;
    do {
        digits.insert(digits.begin(), LowerDigits[value & 15]);
        value >>= 4;
    } while (value != 0);
    if (static_cast<int>(digits.size()) < minDigits)
        digits.insert(0, static_cast<std::size_t>(minDigits) - digits.size(), fill);
    return digits;
}

char ScanHexByte(std::string_view digits)
{
    return static_cast<char>(static_cast<std::uint32_t>(ScanInt(digits, 16)) & 0xFFu);
}

}  // namespace baudrill
