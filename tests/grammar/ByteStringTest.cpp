#include "grammar/ByteString.h"
#include "grammar/NumberText.h"
#include "grammar/Value.h"

#include <gtest/gtest.h>

namespace baudrill {
namespace {

TEST(ByteStringTest, MidLeftRightClampToTheString)
{
    EXPECT_EQ(Mid("abcdef", 2, 3), "cde");
    EXPECT_EQ(Mid("abcdef", 4, 10), "ef");
    EXPECT_EQ(Mid("abcdef", 10, 2), "");
    EXPECT_EQ(Mid("abcdef", -2, 3), "abc");
    EXPECT_EQ(Mid("abcdef", 2, -1), "");
    EXPECT_EQ(Mid("abcdef", 3), "def");
    EXPECT_EQ(Left("abc", 5), "abc");
    EXPECT_EQ(Right("abc", 2), "bc");
    EXPECT_EQ(Right("abc", 9), "abc");
    EXPECT_EQ(Right("abc", -1), "");
    EXPECT_EQ(Mid(std::string_view("a\0b", 3), 1, 2), std::string("\0b", 2));
}

struct ScanCase {
    const char* text;
    int base;
    std::int32_t result;
};

TEST(NumberTextTest, ScanIntSkipsLeadingBlanksAndWraps)
{
    const ScanCase cases[] = {
        {"42", 10, 42},
        {"  \t-17x", 10, -17},
        {"+7", 10, 7},
        {"7f", 16, 127},
        {"7F", 16, 127},
        {"4Z", 16, 4},               // stops at the first byte that is no digit
        {"ZZ", 16, Value::IntNull},  // no digit at all
        {"-", 10, Value::IntNull},
        {"", 16, Value::IntNull},
        {"ffffffff", 16, -1},  // wraps modulo 2^32
        {"80000000", 16, Value::IntNull},
        {"123456789abcdef", 16, static_cast<std::int32_t>(0x89abcdefu)},
        {"99999999999", 10, static_cast<std::int32_t>(99999999999ll & 0xffffffffll)},
        {"-ffffffff", 16, 1},
        {"\x01"
         "5",
         16, 5},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ScanInt(c.text, c.base), c.result) << '"' << c.text << "\" base " << c.base;
}

TEST(NumberTextTest, FormatIntHexFillsToTheMinimumWidth)
{
    EXPECT_EQ(FormatIntHex(0x1abc), "1abc");
    EXPECT_EQ(FormatIntHex(10, 4), "000a");
    EXPECT_EQ(FormatIntHex(0xffffffffu, 10), "00ffffffff");
    EXPECT_EQ(FormatIntHex(0, 0), "0");
    EXPECT_EQ(FormatIntHex(5, 3, ' '), "  5");
}

TEST(NumberTextTest, AppendHexByteWritesTwoUpperCaseDigits)
{
    std::string out = "x";
    for (unsigned char byte : {0x00, 0x0A, 0xA0, 0xFF})
        AppendHexByte(out, byte);
    EXPECT_EQ(out, "x000AA0FF");
}

TEST(NumberTextTest, ScanHexByteKeepsTheLowEightBitsOfWhatScanIntReads)
{
    EXPECT_EQ(ScanHexByte("4a"), '\x4A');
    EXPECT_EQ(ScanHexByte("F"), '\x0F');
    EXPECT_EQ(ScanHexByte("4z"), '\x04');  // stops at the first byte that is no digit
    EXPECT_EQ(ScanHexByte("zz"), '\0');    // no digit: the int null's low bits
    EXPECT_EQ(ScanHexByte(" 7"), '\x07');  // a leading blank is skipped, as ScanInt does
    EXPECT_EQ(ScanHexByte("-1"), '\xFF');
    EXPECT_EQ(ScanHexByte("1ff"), '\xFF');
}

}  // namespace
}  // namespace baudrill
