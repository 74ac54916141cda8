// Numbers and strings in text form, called on a context.

#include "tests/grammar/ActionTestSupport.h"
#include "tests/grammar/GrammarTestSupport.h"

#include "grammar/actions/TextActions.h"

#include <clocale>
#include <cstdio>
#include <limits>
#include <sstream>

namespace baudrill {
namespace {

using test::ComposeCase;
using test::ParseCase;

const Value kNoArg(0);  // what a rule passes for an action written without an argument

TEST(TextActions, ParseHex)
{
    const ParseCase cases[] = {
        {"lower case", ParseHex, "7f", Value(2), true, 2, {Value(127)}},
        {"upper case", ParseHex, "7F", Value(2), true, 2, {Value(127)}},
        {"eight digits wrap to -1", ParseHex, "ffffffff", Value(8), true, 8, {Value(-1)}},
        {"stops at a non-digit yet consumes N", ParseHex, "1g23", Value(4), true, 4, {Value(1)}},
        {"no leading digit gives the int null", ParseHex, "zz", Value(2), true, 2, {Value(Value::kIntNull)}},
        {"too few bytes", ParseHex, "7f", Value(4), false},
        {"no argument", ParseHex, "7f", kNoArg, true, 0, {Value(Value::kIntNull)}},
        {"a negative count counts as 0", ParseHex, "7f", Value(-3), true, 0, {Value(Value::kIntNull)}},
        {"a count that is no int", ParseHex, "7f", Value("2"), false},
        {"a count above the bound", ParseHex, std::string(70000, '0'), Value(70000), false},
    };
    for (const ParseCase& c : cases)
        test::ExpectParse(c);
}

TEST(TextActions, ComposeHex)
{
    const ComposeCase cases[] = {
        {"two digits", ComposeHex, {Value(0x1ABC)}, Value(2), true, "bc", 1},
        {"two upper-case digits", ComposeHexUpper, {Value(0x1ABC)}, Value(2), true, "BC", 1},
        {"zero-filled", ComposeHex, {Value(10)}, Value(4), true, "000a", 1},
        {"wider than eight digits", ComposeHex, {Value(-1)}, Value(10), true, "00ffffffff", 1},
        {"upper case, wide", ComposeHexUpper, {Value(-1)}, Value(10), true, "00FFFFFFFF", 1},
        {"no argument writes nothing", ComposeHex, {Value(5)}, kNoArg, true, "", 1},
        {"a negative count writes nothing", ComposeHex, {Value(5)}, Value(-2), true, "", 1},
        {"a count above the bound", ComposeHex, {Value(5)}, Value(70000), false},
        {"a count that is no int", ComposeHex, {Value(5)}, Value(2.0), false},
        {"a double value", ComposeHex, {Value(5.0)}, Value(2), false},
        {"an int64 value", ComposeHexUpper, {Value(std::int64_t{5})}, Value(2), false},
    };
    for (const ComposeCase& c : cases)
        test::ExpectCompose(c);
}

TEST(TextActions, ParseStrInt)
{
    const ParseCase cases[] = {
        {"negative, stops before ';'", ParseStrInt, "-42;", kNoArg, true, 3, {Value(-42)}},
        {"hexadecimal", ParseStrInt, "0x1F,", kNoArg, true, 4, {Value(31)}},
        {"hexadecimal wraps modulo 2^32", ParseStrInt, "0x100000001", kNoArg, true, 11, {Value(1)}},
        {"hexadecimal all ones", ParseStrInt, "0xffffffff", kNoArg, true, 10, {Value(-1)}},
        {"hexadecimal int null", ParseStrInt, "0x80000000", kNoArg, true, 10, {Value(Value::kIntNull)}},
        // Only a lower-case x starts the hexadecimal form: 0X1F is the number 0.
        {"upper-case X", ParseStrInt, "0X1F", kNoArg, true, 1, {Value(0)}},
        {"0x without digits", ParseStrInt, "0xg", kNoArg, false},
        // With fewer than three bytes left "0x" is read as decimal.
        {"0x at the end", ParseStrInt, "0x", kNoArg, true, 1, {Value(0)}},
        {"plus sign", ParseStrInt, "+7", kNoArg, true, 2, {Value(7)}},
        {"a sign only first", ParseStrInt, "1-2", kNoArg, true, 1, {Value(1)}},
        {"letters", ParseStrInt, "abc", kNoArg, false},
        {"end of input", ParseStrInt, "", kNoArg, false},
        {"a sign alone", ParseStrInt, "-", kNoArg, true, 1, {Value(Value::kIntNull)}},
        {"eleven nines", ParseStrInt, "99999999999", kNoArg, true, 11, {Value(Value::kIntNull)}},
        {"largest", ParseStrInt, "2147483647", kNoArg, true, 10, {Value(2147483647)}},
        {"smallest", ParseStrInt, "-2147483647", kNoArg, true, 11, {Value(-2147483647)}},
        {"below the range", ParseStrInt, "-2147483648", kNoArg, true, 11, {Value(Value::kIntNull)}},
        {"leading zeros", ParseStrInt, "007", kNoArg, true, 3, {Value(7)}},
    };
    for (const ParseCase& c : cases)
        test::ExpectParse(c);
}

TEST(TextActions, ComposeStrInt)
{
    const ComposeCase cases[] = {
        {"no width", ComposeStrInt, {Value(42)}, kNoArg, true, "42", 1},
        {"zero-filled", ComposeStrInt, {Value(42)}, Value(5), true, "00042", 1},
        {"blank-filled from 10 on", ComposeStrInt, {Value(42)}, Value(12), true, "          42", 1},
        {"zeros after the sign", ComposeStrInt, {Value(-42)}, Value(5), true, "-0042", 1},
        {"never cut", ComposeStrInt, {Value(12345)}, Value(3), true, "12345", 1},
        {"width that is no int", ComposeStrInt, {Value(42)}, Value("5"), true, "42", 1},
        {"negative width", ComposeStrInt, {Value(42)}, Value(-5), true, "42", 1},
        {"int64, all 64 bits", ComposeStrInt, {Value(std::int64_t{1} << 40)}, kNoArg, true, "1099511627776", 1},
        {"int64 with a width", ComposeStrInt, {Value(std::int64_t{-1})}, Value(5), true, "-0001", 1},
        {"the int null is a number", ComposeStrInt, {Value(Value::kIntNull)}, kNoArg, true, "-2147483648", 1},
        {"a double", ComposeStrInt, {Value(42.0)}, kNoArg, false},
        {"a string", ComposeStrInt, {Value("42")}, kNoArg, false},
        {"a width above the bound", ComposeStrInt, {Value(42)}, Value(70000), false},
    };
    for (const ComposeCase& c : cases)
        test::ExpectCompose(c);
}

TEST(TextActions, ParseStrFloat)
{
    const ParseCase cases[] = {
        {"point", ParseStrFloat, "3.14", kNoArg, true, 4, {Value(3.14)}},
        {"comma", ParseStrFloat, "1,5", kNoArg, true, 3, {Value(1.5)}},
        {"separator first", ParseStrFloat, ".5", kNoArg, true, 2, {Value(0.5)}},
        {"minus, separator first", ParseStrFloat, "-.5", kNoArg, true, 3, {Value(-0.5)}},
        {"plus and comma", ParseStrFloat, "+2,25x", kNoArg, true, 5, {Value(2.25)}},
        {"separator last", ParseStrFloat, "5.", kNoArg, true, 2, {Value(5.0)}},
        {"no separator", ParseStrFloat, "12", kNoArg, false},
        {"no exponent", ParseStrFloat, "1.5e3", kNoArg, true, 3, {Value(1.5)}},
        // The whole run is consumed, though only 1.2 is a number.
        {"two separators", ParseStrFloat, "1.2.3", kNoArg, true, 5, {Value(1.2)}},
        {"comma then point", ParseStrFloat, "1,2.3", kNoArg, true, 5, {Value(1.2)}},
        {"no digit", ParseStrFloat, "-.", kNoArg, true, 2, {Value(Value::kDoubleNull)}},
        {"letter", ParseStrFloat, "e1.5", kNoArg, false},
        {"end of input", ParseStrFloat, "", kNoArg, false},
        {"above 1e307", ParseStrFloat, "1" + std::string(308, '0') + ".0", kNoArg, true, 311,
         {Value(Value::kDoubleNull)}},
        {"below the smallest double", ParseStrFloat, "-0." + std::string(400, '0') + "1", kNoArg, true, 404,
         {Value(0.0)}},
    };
    for (const ParseCase& c : cases)
        test::ExpectParse(c);
}

TEST(TextActions, ComposeStrFloat)
{
    const ComposeCase cases[] = {
        {"no width", ComposeStrFloat, {Value(3.5)}, kNoArg, true, "3.500000", 1},
        {"zero-filled", ComposeStrFloat, {Value(3.5)}, Value(9), true, "03.500000", 1},
        {"blank-filled from 10 on", ComposeStrFloat, {Value(3.5)}, Value(12), true, "    3.500000", 1},
        {"the width is no count of decimals", ComposeStrFloat, {Value(3.5)}, Value(2), true, "3.500000", 1},
        {"rounded to six decimals", ComposeStrFloat, {Value(2.0 / 3)}, kNoArg, true, "0.666667", 1},
        {"negative zero", ComposeStrFloat, {Value(-0.0)}, kNoArg, true, "-0.000000", 1},
        {"large", ComposeStrFloat, {Value(1e20)}, kNoArg, true, "100000000000000000000.000000", 1},
        {"infinity is blank-filled", ComposeStrFloat, {Value(std::numeric_limits<double>::infinity())},
         Value(5), true, "  inf", 1},
        {"an int", ComposeStrFloat, {Value(3)}, kNoArg, false},
        {"a string", ComposeStrFloat, {Value("3.5")}, kNoArg, false},
        {"a width above the bound", ComposeStrFloat, {Value(3.5)}, Value(65537), false},
    };
    for (const ComposeCase& c : cases)
        test::ExpectCompose(c);
}

TEST(TextActions, ComposeStrFloatWritesTheDoubleNullInFull)
{
    const test::ActionCompose r = test::RunCompose(ComposeStrFloat, {Value(Value::kDoubleNull)});
    ASSERT_TRUE(r.ok);
    char expected[400];
    std::snprintf(expected, sizeof expected, "%f", Value::kDoubleNull);
    EXPECT_EQ(r.output, expected);
}

TEST(TextActions, FloatTextIgnoresADecimalCommaLocale)
{
    test::DecimalCommaLocale comma;
    if (!comma.CommaActive())
        GTEST_SKIP() << "no locale with a decimal comma could be installed";
    // The locale is really in force for the C library and for streams.
    char printed[16];
    std::snprintf(printed, sizeof printed, "%.1f", 3.5);
    ASSERT_STREQ(printed, "3,5");
    std::ostringstream streamed;
    streamed << 3.5;
    ASSERT_EQ(streamed.str(), "3,5");

    const test::ActionCompose composed = test::RunCompose(ComposeStrFloat, {Value(3.5)});
    ASSERT_TRUE(composed.ok);
    EXPECT_EQ(composed.output, "3.500000");
    EXPECT_EQ(test::RunCompose(ComposeStrFloat, {Value(-2.25)}, Value(12)).output, "   -2.250000");
    const test::ActionParse point = test::RunParse(ParseStrFloat, "3.14");
    ASSERT_TRUE(point.ok);
    EXPECT_EQ(point.values, ValueList{Value(3.14)});
    EXPECT_EQ(test::RunParse(ParseStrFloat, "1,5").values, ValueList{Value(1.5)});
}

TEST(TextActions, ParseStrQuoted)
{
    const ParseCase cases[] = {
        {"escaped quote and backslash", ParseStrQuoted, R"("a\"b\\c")", kNoArg, true, 9, {Value("a\"b\\c")}},
        {"two hexadecimal digits", ParseStrQuoted, R"("\41")", kNoArg, true, 5, {Value("A")}},
        {"lower-case digits", ParseStrQuoted, R"("x\0ay")", kNoArg, true, 7, {Value("x\ny")}},
        // The escape takes the 5 and the closing quote, so the string never closes.
        {"escape eats the closing quote", ParseStrQuoted, R"("\5")", kNoArg, false},
        {"never closes", ParseStrQuoted, R"("abc)", kNoArg, false},
        {"a backslash too near the end", ParseStrQuoted, R"("\)", kNoArg, false},
        {"empty string", ParseStrQuoted, R"(""rest)", kNoArg, true, 2, {Value("")}},
        {"stops after the closing quote", ParseStrQuoted, R"("a"b")", kNoArg, true, 3, {Value("a")}},
        {"no opening quote", ParseStrQuoted, R"(a")", kNoArg, false},
        {"end of input", ParseStrQuoted, "", kNoArg, false},
        {"bytes above 0x7F unchanged", ParseStrQuoted, "\"\xC3\xA9\"", kNoArg, true, 4, {Value("\xC3\xA9")}},
    };
    for (const ParseCase& c : cases)
        test::ExpectParse(c);
}

TEST(TextActions, ComposeStrQuoted)
{
    const ComposeCase cases[] = {
        {"a control byte is escaped", ComposeStrQuoted, {Value("a\nb")}, kNoArg, true, R"("a\0Ab")", 1},
        {"0x00 and 0x1F", ComposeStrQuoted, {Value(std::string("\0\x1F", 2))}, kNoArg, true, R"("\00\1F")", 1},
        {"a quote is not escaped", ComposeStrQuoted, {Value("say \"hi\"")}, kNoArg, true, R"("say "hi"")", 1},
        {"nor a backslash", ComposeStrQuoted, {Value("a\\b")}, kNoArg, true, R"("a\b")", 1},
        {"nor bytes above 0x7F", ComposeStrQuoted, {Value("\x7F\x80\xFF")}, kNoArg, true, "\"\x7F\x80\xFF\"", 1},
        {"empty string", ComposeStrQuoted, {Value("")}, kNoArg, true, R"("")", 1},
        {"an int", ComposeStrQuoted, {Value(1)}, kNoArg, false},
        {"void", ComposeStrQuoted, {Value()}, kNoArg, false},
    };
    for (const ComposeCase& c : cases)
        test::ExpectCompose(c);
}

TEST(TextActions, ComposeStrQuotedRecordsOnlyTheEscapesItWrote)
{
    ComposeContext ctx(ValueList{Value("\\x\r\n"), Value("a\\0Ab")});
    ASSERT_TRUE(ComposeStrQuoted(ctx, kNoArg));
    ASSERT_TRUE(ComposeStrQuoted(ctx, kNoArg));
    EXPECT_EQ(ctx.state.output, R"("\x\0D\0A""a\0Ab")");
    // The backslashes that were in the strings themselves are no escapes.
    EXPECT_EQ(ctx.state.escapes, (std::vector<std::size_t>{3, 6}));
}

TEST(TextActions, EscapesOfAnAbandonedPathAreForgotten)
{
    // (str_quoted arg:1 | str_quoted): the first branch writes an escape, then
    // finds no value for "arg"; only the second branch's escape is left.
    test::RegisterValueActions();
    BNFarticle a;
    test::RuleBuilder r(a);
    r.Group([&] { r.Code("str_quoted").Code("arg", Value(1)).Or([&] { r.Code("str_quoted"); }); });
    ComposeContext ctx(ValueList{Value("\t")});
    ASSERT_TRUE(a.Compose(ctx));
    EXPECT_EQ(ctx.state.output, R"("\09")");
    EXPECT_EQ(ctx.state.escapes, std::vector<std::size_t>{1});
}

TEST(TextActions, ParseStrNonctrl)
{
    const ParseCase cases[] = {
        {"stops at CR", ParseStrNonctrl, "AB\r\n", kNoArg, true, 2, {Value("AB")}},
        {"standing on CR", ParseStrNonctrl, "\r\n", kNoArg, true, 0, {Value("")}},
        {"UTF-8 is not printable", ParseStrNonctrl, "\xC3\xA9", kNoArg, true, 0, {Value("")}},
        {"blank and DEL are printable", ParseStrNonctrl, "a \x7F\tb", kNoArg, true, 3, {Value("a \x7F")}},
        {"end of input", ParseStrNonctrl, "", kNoArg, true, 0, {Value("")}},
    };
    for (const ParseCase& c : cases)
        test::ExpectParse(c);
}

TEST(TextActions, ComposeStrNonctrl)
{
    const ComposeCase cases[] = {
        {"cut at TAB", ComposeStrNonctrl, {Value("ok\tx")}, kNoArg, true, "ok", 1},
        {"cut at a byte above 0x7F", ComposeStrNonctrl, {Value("ab\xC3\xA9")}, kNoArg, true, "ab", 1},
        {"all printable", ComposeStrNonctrl, {Value("a b~")}, kNoArg, true, "a b~", 1},
        {"an int", ComposeStrNonctrl, {Value(1)}, kNoArg, false},
    };
    for (const ComposeCase& c : cases)
        test::ExpectCompose(c);
}

TEST(TextActions, EveryComposeFailsWithoutAValueLeft)
{
    const ComposeAction actions[] = {ComposeHex,      ComposeHexUpper,  ComposeStrInt,    ComposeStrFloat,
                                     ComposeStrQuoted, ComposeStrNonctrl};
    for (ComposeAction action : actions) {
        EXPECT_FALSE(test::RunCompose(action, {}, Value(2)).ok);
        EXPECT_FALSE(test::RunCompose(action, {Value(1)}, Value(2), 1).ok);
    }
}

}  // namespace
}  // namespace baudrill
