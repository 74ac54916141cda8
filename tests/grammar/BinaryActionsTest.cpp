// Fixed-width binary numbers, "any" and "arg", called on a context.

#include "tests/support/grammar/ActionTestSupport.h"

#include "grammar/actions/BinaryActions.h"

#include <bit>
#include <cmath>

namespace baudrill {
namespace {

using test::Bytes;
using test::ComposeCase;
using test::ParseCase;

TEST(BinaryActions, Parse)
{
    const ParseCase cases[] = {
        {"byte", ParseByte, Bytes("FE 01"), Value(0), true, 1, {Value(254)}},
        {"word is little-endian", ParseWord, Bytes("34 12"), Value(0), true, 2, {Value(0x1234)}},
        {"word_be", ParseWordBe, Bytes("12 34"), Value(0), true, 2, {Value(0x1234)}},
        {"word stays unsigned", ParseWord, Bytes("FF FF"), Value(0), true, 2, {Value(65535)}},
        {"dword is signed", ParseDword, Bytes("FF FF FF FF"), Value(0), true, 4, {Value(-1)}},
        {"dword", ParseDword, Bytes("02 01 00 00 99"), Value(0), true, 4, {Value(258)}},
        {"dword_be of the int null", ParseDwordBe, Bytes("80 00 00 00"), Value(0), true, 4, {Value(Value::IntNull)}},
        {"double", ParseDouble, Bytes("00 00 00 00 00 00 F0 3F"), Value(0), true, 8, {Value(1.0)}},
        {"double_be", ParseDoubleBe, Bytes("C0 09 00 00 00 00 00 00"), Value(0), true, 8, {Value(-3.125)}},
        {"the argument is ignored", ParseByte, Bytes("07"), Value("text"), true, 1, {Value(7)}},
        {"byte at the end", ParseByte, "", Value(0), false},
        {"word with one byte", ParseWord, Bytes("01"), Value(0), false},
        {"dword with three bytes", ParseDword, Bytes("01 02 03"), Value(0), false},
        {"dword_be with three bytes", ParseDwordBe, Bytes("01 02 03"), Value(0), false},
        {"double with seven bytes", ParseDouble, Bytes("00 00 00 00 00 00 F0"), Value(0), false},
        {"any skips a byte", ParseAny, Bytes("AA BB"), Value(0), true, 1, {}},
        {"any at the end", ParseAny, "", Value(0), false},
        {"arg appends its argument", ParseArg, "xyz", Value(7), true, 0, {Value(7)}},
        {"arg of any kind", ParseArg, "", Value("on"), true, 0, {Value("on")}},
    };
    for (const ParseCase& c : cases)
        test::ExpectParse(c);
}

TEST(BinaryActions, ParseStartsAtPosAndNeverReadsPastTheInput)
{
    test::ActionParse r = test::RunParse(ParseWordBe, Bytes("00 12 34"), Value(0), 1);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.pos, 3);
    EXPECT_EQ(r.values, ValueList{Value(0x1234)});
    // A position already outside the input reads nothing and moves nothing.
    r = test::RunParse(ParseByte, Bytes("01"), Value(0), 2);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.pos, 2);
    EXPECT_FALSE(test::RunParse(ParseAny, Bytes("01"), Value(0), -1).ok);
    r = test::RunParse(ParseDword, Bytes("01 02 03"));
    EXPECT_EQ(r.pos, 0);
    EXPECT_TRUE(r.values.empty());
}

TEST(BinaryActions, Compose)
{
    const ComposeCase cases[] = {
        {"byte cut to 8 bits", ComposeByte, {Value(300)}, Value(0), true, Bytes("2C"), 1},
        {"word of -1", ComposeWord, {Value(-1)}, Value(0), true, Bytes("FF FF"), 1},
        {"word cut to 16 bits", ComposeWord, {Value(65536)}, Value(0), true, Bytes("00 00"), 1},
        {"word_be", ComposeWordBe, {Value(0x1234)}, Value(0), true, Bytes("12 34"), 1},
        {"dword", ComposeDword, {Value(258)}, Value(0), true, Bytes("02 01 00 00"), 1},
        {"dword_be", ComposeDwordBe, {Value(258)}, Value(0), true, Bytes("00 00 01 02"), 1},
        {"dword of -2", ComposeDword, {Value(-2)}, Value(0), true, Bytes("FE FF FF FF"), 1},
        {"double", ComposeDouble, {Value(1.0)}, Value(0), true, Bytes("00 00 00 00 00 00 F0 3F"), 1},
        {"double_be", ComposeDoubleBe, {Value(1.0)}, Value(0), true, Bytes("3F F0 00 00 00 00 00 00"), 1},
        {"one value of several", ComposeByte, {Value(1), Value(2)}, Value(0), true, Bytes("01"), 1},
        {"byte of a double", ComposeByte, {Value(1.0)}, Value(0), false},
        {"byte of an int64", ComposeByte, {Value(std::int64_t{1})}, Value(0), false},
        {"double of an int", ComposeDouble, {Value(1)}, Value(0), false},
        {"double_be of an int", ComposeDoubleBe, {Value(1)}, Value(0), false},
        {"word of a string", ComposeWord, {Value("1")}, Value(0), false},
        {"dword of void", ComposeDword, {Value()}, Value(0), false},
        {"any with values left", ComposeAny, {Value(1)}, Value(0), false},
        {"arg equal", ComposeArg, {Value(7)}, Value(7), true, "", 1},
        {"arg unequal", ComposeArg, {Value(8)}, Value(7), false},
        {"arg compares numbers across kinds", ComposeArg, {Value(7.0)}, Value(7), true, "", 1},
        {"arg of a string", ComposeArg, {Value("on")}, Value("on"), true, "", 1},
    };
    for (const ComposeCase& c : cases)
        test::ExpectCompose(c);
}

TEST(BinaryActions, EveryComposeFailsWithoutAValueLeft)
{
    const ComposeAction actions[] = {ComposeByte,    ComposeWord,     ComposeDword, ComposeDouble, ComposeWordBe,
                                     ComposeDwordBe, ComposeDoubleBe, ComposeAny,   ComposeArg};
    for (ComposeAction action : actions) {
        EXPECT_FALSE(test::RunCompose(action, {}, Value(0)).ok);
        EXPECT_FALSE(test::RunCompose(action, {Value(0)}, Value(0), 1).ok);
    }
}

TEST(BinaryActions, ParsedBytesComposeBackUnchanged)
{
    struct RoundTrip {
        const char* name;
        ParseAction parse;
        ComposeAction compose;
        std::string bytes;
    };
    const RoundTrip cases[] = {
        {"dword of the int null", ParseDword, ComposeDword, Bytes("00 00 00 80")},
        {"dword_be of the int null", ParseDwordBe, ComposeDwordBe, Bytes("80 00 00 00")},
        {"word", ParseWord, ComposeWord, Bytes("FF 7F")},
        {"double of -0.0", ParseDouble, ComposeDouble, Bytes("00 00 00 00 00 00 00 80")},
        {"double of a NaN payload", ParseDouble, ComposeDouble, Bytes("01 00 00 00 00 00 F8 7F")},
        {"double_be of infinity", ParseDoubleBe, ComposeDoubleBe, Bytes("7F F0 00 00 00 00 00 00")},
    };
    for (const RoundTrip& c : cases) {
        SCOPED_TRACE(c.name);
        test::ActionParse parsed = test::RunParse(c.parse, c.bytes);
        ASSERT_TRUE(parsed.ok);
        test::ActionCompose composed = test::RunCompose(c.compose, parsed.values);
        ASSERT_TRUE(composed.ok);
        EXPECT_EQ(test::HexDump(composed.output), test::HexDump(c.bytes));
    }
    EXPECT_EQ(test::RunParse(ParseDword, Bytes("00 00 00 80")).values, ValueList{Value(Value::IntNull)});
}

TEST(BinaryActions, FloatNamesAreTheEightByteDouble)
{
    // "float" is registered with ParseDouble: eight bytes, never a 4-byte float.
    test::ActionParse r = test::RunParse(ParseDouble, Bytes("00 00 80 3F"));
    EXPECT_FALSE(r.ok);
    r = test::RunParse(ParseDouble, Bytes("9A 99 99 99 99 99 B9 3F"));
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(r.values[0].GetDouble()), std::bit_cast<std::uint64_t>(0.1));
}

}  // namespace
}  // namespace baudrill
