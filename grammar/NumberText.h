#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace baudrill {

// The value of a digit of any base up to 36 (letters of either case), or 99
// for a byte that is no digit.
int DigitValue(unsigned char c);

// Text to int as the rule language and the text actions read it: leading bytes
// 0x01 to 0x20 are skipped, then an optional sign, then the digits of the base
// (2 to 36, letters of either case) up to the first other byte. The result wraps
// modulo 2^32, so "ffffffff" in base 16 is -1. No digit at all gives the int null
// value (Value::IntNull). Never locale-dependent.
std::int32_t ScanInt(std::string_view text, int base = 10);

// The number in lower-case hexadecimal digits, filled on the left with `fill`
// to at least `minDigits` characters.
std::string FormatIntHex(std::uint32_t value, int minDigits = 0, char fill = '0');

// Appends the byte as two upper-case hexadecimal digits. Inline: dumps call it for every byte.
inline void AppendHexByte(std::string& out, unsigned char byte)
{
    static constexpr char LowerDigits[] = "0123456789ABCDEF";
    out += LowerDigits[byte >> 4];
    out += LowerDigits[byte & 15];
}

// The byte that two hexadecimal digits stand for, as escapes and hex entries read them: the
// low 8 bits of ScanInt(digits, 16), so blanks and a sign count as there, and no digit gives 0.
char ScanHexByte(std::string_view digits);

}  // namespace baudrill
