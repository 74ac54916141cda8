// Rules compiled from text that call value actions, in both directions.

#include "tests/support/grammar/CompilerTestSupport.h"
#include "tests/support/NamedCase.h"

#include <gtest/gtest.h>

namespace baudrill::test {

namespace {

struct ValuesCase : NamedCase {
    std::string rule;
    std::string bytes;  // what parsing reads and composing writes
    ValueList values;
    bool composes = true;  // false: the rule parses only
};

class CompiledRuleValues : public ::testing::TestWithParam<ValuesCase> {};

TEST_P(CompiledRuleValues, ParseAndComposeMirrorEachOther)
{
    const ValuesCase& c = GetParam();
    const BNFarticle* rule = CompileWhole(c.rule);
    ASSERT_TRUE(rule);
    ParseResult parsed = ParseText(*rule, c.bytes);
    ASSERT_TRUE(parsed.ok);
    EXPECT_EQ(parsed.pos, static_cast<int>(c.bytes.size()));
    EXPECT_EQ(parsed.values, c.values);
    if (!c.composes)
        return;
    ComposeResult composed = ComposeValues(*rule, c.values);
    ASSERT_TRUE(composed.ok);
    EXPECT_EQ(HexDump(composed.output), HexDump(c.bytes));
    EXPECT_EQ(composed.next, static_cast<int>(c.values.size()));
}

const ValuesCase ValueCases[] = {
    {"BinaryNumbers",
     "byte \"=\" word_be; dword",
     "\x05=\x12\x34\xFE\xFF\xFF\xFF",
     {Value(5), Value(0x1234), Value(-2)}},
    {"HexDigitsArgument", "\"T\" hex:4 HEX : 2", "T00ffAB", {Value(0xFF), Value(0xAB)}, false},
    {"ArgumentSelectsAlternative", "(arg:1 \"one\" | arg:2 \"two\") byte", "two\x07", {Value(2), Value(7)}},
    {"StringArgument", "arg:\"on\" \"!\"", "!", {Value("on")}},
    {"DoubleArgument", "arg:0.5 \"!\"", "!", {Value(0.5)}},
    {"HexArgument", "arg:0x10", "", {Value(16)}},
    {"TextNumbers", "str_int \",\" str_float", "42,3.500000", {Value(42), Value(3.5)}},
    {"QuotedString", "\"<\" str_quoted \">\"", "<\"a b\">", {Value("a b")}},
    {"CountedLoop", "byte set_rep {rep byte}", "\x03\x0A\x0B\x0C", {Value(3), Value(10), Value(11), Value(12)}},
    {"OptionalTail", "byte [\":\" byte]", "\x01", {Value(1)}},
    {"ValueList",
     "{<BNFwhite> (str_float | str_int | str_quoted)}",
     "1 2.5 \"x\"",
     {Value(1), Value(2.5), Value("x")},
     false},
};
INSTANTIATE_TEST_SUITE_P(Rules, CompiledRuleValues, ::testing::ValuesIn(ValueCases), CaseName<ValuesCase>);

TEST(CompiledRuleValuesCompose, WidthArgumentsReachTheActions)
{
    EXPECT_EQ(ComposeValues(*CompileText("str_int:5").article, {Value(42)}).output, "00042");
    EXPECT_EQ(ComposeValues(*CompileText("str_float:9").article, {Value(3.5)}).output, "03.500000");
}

}  // namespace

}  // namespace baudrill::test
