// Numbers and strings in text form, called on a context.

#include "tests/support/grammar/ActionTestSupport.h"
#include "tests/support/grammar/GrammarTestSupport.h"

#include "grammar/actions/TextActions.h"

#include <clocale>
#include <cstdio>
#include <limits>
#include <sstream>

namespace baudrill {
namespace {

using test::ComposeCase;
using test::ParseCase;

const Value NoArg(0);  // what a rule passes for an action written without an argument

TEST(TextActions, ParseHex)
{
    const ParseCase cases[] = {
        {"lower case", ParseHex, "7f", Value(2), true, 2, {Value(127)}},
        {"upper case", ParseHex, "7F", Value(2), true, 2, {Value(127)}},
        {"eight digits wrap to -1", ParseHex, "ffffffff", Value(8), true, 8, {Value(-1)}},
        {"stops at a non-digit yet consumes N", ParseHex, "1g23", Value(4), true, 4, {Value(1)}},
        {"no leading digit gives the int null", ParseHex, "zz", Value(2), true, 2, {Value(Value::IntNull)}},
        {"too few bytes", ParseHex, "7f", Value(4), false},
        {"no argument", ParseHex, "7f", NoArg, true, 0, {Value(Value::IntNull)}},
        {"a negative count counts as 0", ParseHex, "7f", Value(-3), true, 0, {Value(Value::IntNull)}},
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
        {"no argument writes nothing", ComposeHex, {Value(5)}, NoArg, true, "", 1},
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
        {"negative, stops before ';'", ParseStrInt, "-42;", NoArg, true, 3, {Value(-42)}},
        {"hexadecimal", ParseStrInt, "0x1F,", NoArg, true, 4, {Value(31)}},
        {"hexadecimal wraps modulo 2^32", ParseStrInt, "0x100000001", NoArg, true, 11, {Value(1)}},
        {"hexadecimal all ones", ParseStrInt, "0xffffffff", NoArg, true, 10, {Value(-1)}},
        {"hexadecimal int null", ParseStrInt, "0x80000000", NoArg, true, 10, {Value(Value::IntNull)}},
        // Only a lower-case x starts the hexadecimal form: 0X1F is the number 0.
        {"upper-case X", ParseStrInt, "0X1F", NoArg, true, 1, {Value(0)}},
        {"0x without digits", ParseStrInt, "0xg", NoArg, false},
        // With fewer than three bytes left "0x" is read as decimal.
        {"0x at the end", ParseStrInt, "0x", NoArg, true, 1, {Value(0)}},
        {"plus sign", ParseStrInt, "+7", NoArg, true, 2, {Value(7)}},
        {"a sign only first", ParseStrInt, "1-2", NoArg, true, 1, {Value(1)}},
        {"letters", ParseStrInt, "abc", NoArg, false},
        {"end of input", ParseStrInt, "", NoArg, false},
        {"a sign alone", ParseStrInt, "-", NoArg, true, 1, {Value(Value::IntNull)}},
        {"eleven nines", ParseStrInt, "99999999999", NoArg, true, 11, {Value(Value::IntNull)}},
        {"largest", ParseStrInt, "2147483647", NoArg, true, 10, {Value(2147483647)}},
        {"smallest", ParseStrInt, "-2147483647", NoArg, true, 11, {Value(-2147483647)}},
        {"below the range", ParseStrInt, "-2147483648", NoArg, true, 11, {Value(Value::IntNull)}},
        {"leading zeros", ParseStrInt, "007", NoArg, true, 3, {Value(7)}},
    };
    for (const ParseCase& c : cases)
        test::ExpectParse(c);
}

TEST(TextActions, ComposeStrInt)
{
    const ComposeCase cases[] = {
        {"no width", ComposeStrInt, {Value(42)}, NoArg, true, "42", 1},
        {"zero-filled", ComposeStrInt, {Value(42)}, Value(5), true, "00042", 1},
        {"blank-filled from 10 on", ComposeStrInt, {Value(42)}, Value(12), true, "          42", 1},
        {"zeros after the sign", ComposeStrInt, {Value(-42)}, Value(5), true, "-0042", 1},
        {"never cut", ComposeStrInt, {Value(12345)}, Value(3), true, "12345", 1},
        {"width that is no int", ComposeStrInt, {Value(42)}, Value("5"), true, "42", 1},
        {"negative width", ComposeStrInt, {Value(42)}, Value(-5), true, "42", 1},
        {"int64, all 64 bits", ComposeStrInt, {Value(std::int64_t{1} << 40)}, NoArg, true, "1099511627776", 1},
        {"int64 with a width", ComposeStrInt, {Value(std::int64_t{-1})}, Value(5), true, "-0001", 1},
        {"the int null is a number", ComposeStrInt, {Value(Value::IntNull)}, NoArg, true, "-2147483648", 1},
        {"a double", ComposeStrInt, {Value(42.0)}, NoArg, false},
        {"a string", ComposeStrInt, {Value("42")}, NoArg, false},
        {"a width above the bound", ComposeStrInt, {Value(42)}, Value(70000), false},
    };
    for (const ComposeCase& c : cases)
        test::ExpectCompose(c);
}

TEST(TextActions, ParseStrFloat)
{
    const ParseCase cases[] = {
        {"point", ParseStrFloat, "3.14", NoArg, true, 4, {Value(3.14)}},
        {"comma", ParseStrFloat, "1,5", NoArg, true, 3, {Value(1.5)}},
        {"separator first", ParseStrFloat, ".5", NoArg, true, 2, {Value(0.5)}},
        {"minus, separator first", ParseStrFloat, "-.5", NoArg, true, 3, {Value(-0.5)}},
        {"plus and comma", ParseStrFloat, "+2,25x", NoArg, true, 5, {Value(2.25)}},
        {"separator last", ParseStrFloat, "5.", NoArg, true, 2, {Value(5.0)}},
        {"no separator", ParseStrFloat, "12", NoArg, false},
        {"no exponent", ParseStrFloat, "1.5e3", NoArg, true, 3, {Value(1.5)}},
        // The whole run is consumed, though only 1.2 is a number.
        {"two separators", ParseStrFloat, "1.2.3", NoArg, true, 5, {Value(1.2)}},
        {"comma then point", ParseStrFloat, "1,2.3", NoArg, true, 5, {Value(1.2)}},
        {"no digit", ParseStrFloat, "-.", NoArg, true, 2, {Value(Value::DoubleNull)}},
        {"letter", ParseStrFloat, "e1.5", NoArg, false},
        {"end of input", ParseStrFloat, "", NoArg, false},
        {"above 1e307",
         ParseStrFloat,
         "1" + std::string(308, '0') + ".0",
         NoArg,
         true,
         311,
         {Value(Value::DoubleNull)}},
        {"below the smallest double",
         ParseStrFloat,
         "-0." + std::string(400, '0') + "1",
         NoArg,
         true,
         404,
         {Value(0.0)}},
    };
    for (const ParseCase& c : cases)
        test::ExpectParse(c);
}

TEST(TextActions, ComposeStrFloat)
{
    const ComposeCase cases[] = {
        {"no width", ComposeStrFloat, {Value(3.5)}, NoArg, true, "3.500000", 1},
        {"zero-filled", ComposeStrFloat, {Value(3.5)}, Value(9), true, "03.500000", 1},
        {"blank-filled from 10 on", ComposeStrFloat, {Value(3.5)}, Value(12), true, "    3.500000", 1},
        {"the width is no count of decimals", ComposeStrFloat, {Value(3.5)}, Value(2), true, "3.500000", 1},
        {"rounded to six decimals", ComposeStrFloat, {Value(2.0 / 3)}, NoArg, true, "0.666667", 1},
        {"negative zero", ComposeStrFloat, {Value(-0.0)}, NoArg, true, "-0.000000", 1},
        {"large", ComposeStrFloat, {Value(1e20)}, NoArg, true, "100000000000000000000.000000", 1},
        {"infinity is blank-filled",
         ComposeStrFloat,
         {Value(std::numeric_limits<double>::infinity())},
         Value(5),
         true,
         "  inf",
         1},
        {"an int", ComposeStrFloat, {Value(3)}, NoArg, false},
        {"a string", ComposeStrFloat, {Value("3.5")}, NoArg, false},
        {"a width above the bound", ComposeStrFloat, {Value(3.5)}, Value(65537), false},
    };
    for (const ComposeCase& c : cases)
        test::ExpectCompose(c);
}

TEST(TextActions, ComposeStrFloatWritesTheDoubleNullInFull)
{
    const test::ActionCompose r = test::RunCompose(ComposeStrFloat, {Value(Value::DoubleNull)});
    ASSERT_TRUE(r.ok);
    char expected[400];
    std::snprintf(expected, sizeof expected, "%f", Value::DoubleNull);
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
        {"escaped quote and backslash", ParseStrQuoted, R"("a\"b\\c")", NoArg, true, 9, {Value("a\"b\\c")}},
        {"two hexadecimal digits", ParseStrQuoted, R"("\41")", NoArg, true, 5, {Value("A")}},
        {"lower-case digits", ParseStrQuoted, R"("x\0ay")", NoArg, true, 7, {Value("x\ny")}},
        // The escape takes the 5 and the closing quote, so the string never closes.
        {"escape eats the closing quote", ParseStrQuoted, R"("\5")", NoArg, false},
        {"never closes", ParseStrQuoted, R"("abc)", NoArg, false},
        {"a backslash too near the end", ParseStrQuoted, R"("\)", NoArg, false},
        {"empty string", ParseStrQuoted, R"(""rest)", NoArg, true, 2, {Value("")}},
        {"stops after the closing quote", ParseStrQuoted, R"("a"b")", NoArg, true, 3, {Value("a")}},
        {"no opening quote", ParseStrQuoted, R"(a")", NoArg, false},
        {"end of input", ParseStrQuoted, "", NoArg, false},
        {"bytes above 0x7F unchanged", ParseStrQuoted, "\"\xC3\xA9\"", NoArg, true, 4, {Value("\xC3\xA9")}},
    };
    for (const ParseCase& c : cases)
        test::ExpectParse(c);
}

TEST(TextActions, ComposeStrQuoted)
{
    const ComposeCase cases[] = {
        {"a control byte is escaped", ComposeStrQuoted, {Value("a\nb")}, NoArg, true, R"("a\0Ab")", 1},
        {"0x00 and 0x1F", ComposeStrQuoted, {Value(std::string("\0\x1F", 2))}, NoArg, true, R"("\00\1F")", 1},
        {"a quote is not escaped", ComposeStrQuoted, {Value("say \"hi\"")}, NoArg, true, R"("say "hi"")", 1},
        {"nor a backslash", ComposeStrQuoted, {Value("a\\b")}, NoArg, true, R"("a\b")", 1},
        {"nor bytes above 0x7F", ComposeStrQuoted, {Value("\x7F\x80\xFF")}, NoArg, true, "\"\x7F\x80\xFF\"", 1},
        {"empty string", ComposeStrQuoted, {Value("")}, NoArg, true, R"("")", 1},
        {"an int", ComposeStrQuoted, {Value(1)}, NoArg, false},
        {"void", ComposeStrQuoted, {Value()}, NoArg, false},
    };
    for (const ComposeCase& c : cases)
        test::ExpectCompose(c);
}

TEST(TextActions, ComposeStrQuotedRecordsOnlyTheEscapesItWrote)
{
    ComposeContext ctx(ValueList{Value("\\x\r\n"), Value("a\\0Ab")});
    ASSERT_TRUE(ComposeStrQuoted(ctx, NoArg));
    ASSERT_TRUE(ComposeStrQuoted(ctx, NoArg));
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
        {"stops at CR", ParseStrNonctrl, "AB\r\n", NoArg, true, 2, {Value("AB")}},
        {"standing on CR", ParseStrNonctrl, "\r\n", NoArg, true, 0, {Value("")}},
        {"UTF-8 is not printable", ParseStrNonctrl, "\xC3\xA9", NoArg, true, 0, {Value("")}},
        {"blank and DEL are printable", ParseStrNonctrl, "a \x7F\tb", NoArg, true, 3, {Value("a \x7F")}},
        {"end of input", ParseStrNonctrl, "", NoArg, true, 0, {Value("")}},
    };
    for (const ParseCase& c : cases)
        test::ExpectParse(c);
}

TEST(TextActions, ComposeStrNonctrl)
{
    const ComposeCase cases[] = {
        {"cut at TAB", ComposeStrNonctrl, {Value("ok\tx")}, NoArg, true, "ok", 1},
        {"cut at a byte above 0x7F", ComposeStrNonctrl, {Value("ab\xC3\xA9")}, NoArg, true, "ab", 1},
        {"all printable", ComposeStrNonctrl, {Value("a b~")}, NoArg, true, "a b~", 1},
        {"an int", ComposeStrNonctrl, {Value(1)}, NoArg, false},
    };
    for (const ComposeCase& c : cases)
        test::ExpectCompose(c);
}

TEST(TextActions, EveryComposeFailsWithoutAValueLeft)
{
    const ComposeAction actions[] = {ComposeHex,      ComposeHexUpper,  ComposeStrInt,
                                     ComposeStrFloat, ComposeStrQuoted, ComposeStrNonctrl};
    for (ComposeAction action : actions) {
        EXPECT_FALSE(test::RunCompose(action, {}, Value(2)).ok);
        EXPECT_FALSE(test::RunCompose(action, {Value(1)}, Value(2), 1).ok);
    }
}

}  // namespace
}  // namespace baudrill
