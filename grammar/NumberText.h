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
// value (Value::kIntNull). Never locale-dependent.
std::int32_t ScanInt(std::string_view text, int base = 10);

// The number in lower-case hexadecimal digits, filled on the left with `fill`
// to at least `minDigits` characters.
std::string FormatIntHex(std::uint32_t value, int minDigits = 0, char fill = '0');

}  // namespace baudrill
