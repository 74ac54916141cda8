// The ASCII and HEX encoders and their previews, case by case.
#include "monitor/send/SendEncoders.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "tests/support/NamedCase.h"

namespace baudrill {
namespace {

using namespace std::string_literals;

struct AsciiCase : test::NamedCase {
    std::string text;
    bool cr;
    bool lf;
    std::string bytes;
};

// Escapes read their two characters with ScanInt in base 16, whatever they are.
const std::vector<AsciiCase> asciiCases = {
    {"PlainText", "AB c", false, false, "AB c"},
    {"DoubledBackslash", "\\\\", false, false, "\\"},
    {"EscapedQuote", "\\\"", false, false, "\""},
    {"HexEscape", "\\41", false, false, "A"},
    {"NoDigitIsZero", "\\zz", false, false, "\x00"s},
    {"MinusWraps", "\\-1", false, false, "\xFF"},
    {"LeadingBlankSkipped", "\\ 5", false, false, "\x05"},
    {"OneDigitThenOther", "\\4z", false, false, "\x04"},
    {"EscapeAmidText", "A\\0Dz", false, false, "A\rz"},
    {"BackslashLast", "ab\\", false, false, "ab\\"},
    {"BackslashOneBeforeEnd", "a\\4", false, false, "a\\4"},
    {"BackslashQuoteAtEnd", "a\\\"", false, false, "a\""},
    {"CrAndLf", "AB\\0D", false, true, "AB\r\n"},
    {"EmptyWithCrLf", "", true, true, "\r\n"},
    {"Empty", "", false, false, ""},
    {"CrOnly", "x", true, false, "x\r"},
    {"Utf8PassesThrough", "\xC3\xA9", false, false, "\xC3\xA9"},
};

class AsciiEncoder : public ::testing::TestWithParam<AsciiCase> {};

TEST_P(AsciiEncoder, GivesTheBytes)
{
    const AsciiCase& c = GetParam();
    std::string bytes = "stale", preview = "stale";
    EncodeAscii(c.text, c.cr, c.lf, bytes, preview);
    EXPECT_EQ(bytes, c.bytes);
    EXPECT_EQ(preview, HexDigitsPreview(c.bytes));
}

INSTANTIATE_TEST_SUITE_P(Cases, AsciiEncoder, ::testing::ValuesIn(asciiCases), test::CaseName<AsciiCase>);

TEST(AsciiPreview, ListsTheBytesAsHexDigits)
{
    std::string bytes, preview;
    EncodeAscii("AB\\0D", false, true, bytes, preview);
    EXPECT_EQ(preview, "[+70C 41 42 0D 0A]");
    EncodeAscii("", true, true, bytes, preview);
    EXPECT_EQ(preview, "[+70C 0D 0A]");
    EncodeAscii("", false, false, bytes, preview);
    EXPECT_EQ(preview, "[+70C ]");
    EncodeAscii("\\ff\\00", false, false, bytes, preview);
    EXPECT_EQ(preview, "[+70C FF 00]");
}

struct HexCase : test::NamedCase {
    std::string text;
    std::string bytes;
};

const std::vector<HexCase> hexCases = {
    {"Bytes", "30 31 32", "012"},
    {"QuotedRun", "30 31 \"aaa\" 32", "01aaa2"},
    {"SingleDigitAtEnd", "4", "\x04"},
    {"PairsWithoutSeparators", "ABCD", "\xAB\xCD"},
    {"OddLength", "ABC", "\xAB\x0C"},
    {"PrefixIsTwoBytes", "0x41", "\x00\x41"s},
    {"NonDigitGivesZero", "G1", "\x00"s},
    {"TabIsNoSeparator", "\t4", "\x04"},
    {"EverySeparator", "41,42;43-44/45\\46|47 48", "ABCDEFGH"},
    {"UnclosedQuote", "41 'a b", "Aa b"},
    {"EmptyQuotes", "''", ""},
    {"EitherQuoteCloses", "\"a'", "a"},
    {"QuotedBackslashIsLiteral", "\"\\41\"", "\\41"},
    {"LowerCaseDigits", "ff 0a", "\xFF\x0A"},
    {"Empty", "", ""},
};

class HexEncoder : public ::testing::TestWithParam<HexCase> {};

TEST_P(HexEncoder, GivesTheBytes)
{
    const HexCase& c = GetParam();
    std::string bytes = "stale", preview;
    EncodeHex(c.text, bytes, preview);
    EXPECT_EQ(bytes, c.bytes);
}

INSTANTIATE_TEST_SUITE_P(Cases, HexEncoder, ::testing::ValuesIn(hexCases), test::CaseName<HexCase>);

TEST(HexPreview, ShowsOemCharactersAndControlBytesAsDots)
{
    std::string bytes, preview;
    EncodeHex("30 31 \"aaa\" 32", bytes, preview);
    EXPECT_EQ(preview, "[+70C 01aaa2]");
    EncodeHex("00 1F 20 41 7F", bytes, preview);
    EXPECT_EQ(preview, "[+70C .. A\x7F]");
    // The upper half is the OEM code page, not Latin-1; QTF's own characters stay unescaped.
    EncodeHex("80 E1 B3 5B 5D", bytes, preview);
    EXPECT_EQ(preview, "[+70C \u00C7\u00DF\u2502[]]");
}

TEST(Preview, ShowsTenThousandBytesOfALongerBlockButSendsThemAll)
{
    const std::string block(10001, 'A');
    std::string bytes, preview;

    EncodeAscii(block, false, false, bytes, preview);
    EXPECT_EQ(bytes, block);
    std::string shown = "[+70C ";
    for (int i = 0; i < 10000; ++i)
        shown += "41 ";
    EXPECT_EQ(preview, shown + "...]");

    std::string hexText;
    for (int i = 0; i < 10001; ++i)
        hexText += "41";
    EncodeHex(hexText, bytes, preview);
    EXPECT_EQ(bytes, block);
    EXPECT_EQ(preview, "[+70C " + std::string(10000, 'A') + ">>>more...]");
}

TEST(Preview, AtTheLimitIsNotCut)
{
    const std::string block(10000, 'B');
    std::string bytes, preview;
    EncodeAscii(block, false, false, bytes, preview);
    ASSERT_GT(preview.size(), 8u);
    EXPECT_EQ(preview.substr(preview.size() - 4), " 42]");
    EncodeHex("\"" + block + "\"", bytes, preview);
    EXPECT_EQ(preview, "[+70C " + block + "]");
}

}  // namespace
}  // namespace baudrill
