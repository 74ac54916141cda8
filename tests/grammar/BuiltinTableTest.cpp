// The table of built-in actions: the rule language's names in its order, each in the
// registries of its directions and nothing more, and what each name does in a rule.

#include "grammar/ActionRegistry.h"
#include "grammar/compiler/BuiltinActionTable.h"
#include "grammar/compiler/GrammarBuiltins.h"

#include "tests/support/grammar/CompilerTestSupport.h"
#include "tests/support/grammar/GrammarTestSupport.h"
#include "tests/support/NamedCase.h"

#include <gtest/gtest.h>

#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace baudrill::test {

namespace {

// The value actions as the rule language lists them (the compose registry's order), then the
// rule compiler's own actions, which exist for parsing only.
const char* const ValueActionNames[] = {
    "arg",         "hex",     "HEX",    "str_quoted", "str_int", "str_float",  "any",       "byte",
    "word",        "dword",   "double", "float",      "word_be", "dword_be",   "double_be", "float_be",
    "str_nonctrl", "set_rep", "rep",    "crc_start",  "crc_end", "crc_modbus", "crc_wake",
};
const char* const CompilerActionNames[] = {
    "BNFbranch",     "BNFbranch_end", "BNFgroup", "BNFgroup_end", "BNFoption",      "BNFoption_end", "BNFrepeat",
    "BNFrepeat_end", "BNFstr",        "BNFstr10", "BNFterm_end",  "BNFnonterm_end", "BNFcode_end",   "BNFrv",
    "BNFstring",     "BNFdecimal",    "BNFend",   "BNFresume",    "BNFnewScheme",
};

TEST(BuiltinTable, ListsTheValueActionsThenTheCompilerActions)
{
    std::vector<std::string> expected(std::begin(ValueActionNames), std::end(ValueActionNames));
    expected.insert(expected.end(), std::begin(CompilerActionNames), std::end(CompilerActionNames));
    std::vector<std::string> names;
    for (const BuiltinAction& action : BuiltinActions())
        names.emplace_back(action.name);
    EXPECT_EQ(names, expected);
}

void ExpectEveryNameRegistered()
{
    const ParseActionRegistry& parse = ParseActionRegistry::Instance();
    const ComposeActionRegistry& compose = ComposeActionRegistry::Instance();
    EXPECT_EQ(parse.GetCount(), 42);
    EXPECT_EQ(compose.GetCount(), 23);
    for (const char* name : ValueActionNames) {
        EXPECT_NE(parse.Find(name), nullptr) << name;
        EXPECT_NE(compose.Find(name), nullptr) << name;
    }
    for (const char* name : CompilerActionNames) {
        EXPECT_NE(parse.Find(name), nullptr) << name;
        EXPECT_EQ(compose.Find(name), nullptr) << name;
    }
}

TEST(BuiltinTable, EveryNameInBothRegistriesAndNothingMore)
{
    InitGrammarBuiltins();
    ExpectEveryNameRegistered();
    // Counts of 42 and 23 with every listed name found leave no room for other
    // names; a second initialisation adds nothing.
    InitGrammarBuiltins();
    ExpectEveryNameRegistered();
}

// What each value action does, through a rule that calls it: parsing `input` takes its first
// `consumed` bytes and gives `values`; composing those values writes `composed` (none: fails).
struct ActionCase : NamedCase {
    std::string rule;
    std::string input;
    int consumed;
    ValueList values;
    std::optional<std::string> composed;
};

class ValueAction : public ::testing::TestWithParam<ActionCase> {
protected:
    static void SetUpTestSuite() { InitGrammarBuiltins(); }
};

TEST_P(ValueAction, ParsesAndComposesThroughARule)
{
    const ActionCase& c = GetParam();
    const BNFarticle* rule = CompileWhole(c.rule);
    ASSERT_TRUE(rule);
    ParseResult parsed = ParseText(*rule, c.input);
    EXPECT_TRUE(parsed.ok && parsed.pos == c.consumed) << "parse took " << parsed.pos << " bytes";
    EXPECT_EQ(parsed.values, c.values);
    ComposeResult composed = ComposeValues(*rule, c.values);
    EXPECT_EQ(composed.ok, c.composed.has_value());
    if (c.composed) {
        EXPECT_EQ(HexDump(composed.output), HexDump(*c.composed));
    }
}

const std::string DoubleOne = Bytes("00 00 00 00 00 00 F0 3F");
const std::string OneBe = Bytes("3F F0 00 00 00 00 00 00");
const std::string ReadRequestFrame = WithCrc(Bytes("01 03"));

const ActionCase ActionCases[] = {
    {"ArgPutsItsConstant", "arg:5", "", 0, {Value(5)}, ""},
    {"HexReadsDigits", "hex:2", "7f", 2, {Value(127)}, "7f"},
    {"UpperCaseHexWritesUpperCase", "HEX:2", "7f", 2, {Value(127)}, "7F"},
    {"StrQuotedReadsAQuotedString", "str_quoted", "\"a b\"", 5, {Value("a b")}, "\"a b\""},
    {"StrIntReadsDecimals", "str_int", "-42", 3, {Value(-42)}, "-42"},
    {"StrFloatReadsAFraction", "str_float", "3.500000", 8, {Value(3.5)}, "3.500000"},
    {"AnySkipsAByteAndNeverComposes", "any", "\x07", 1, {}, std::nullopt},
    {"ByteReadsOneByte", "byte", "\x05", 1, {Value(5)}, "\x05"},
    {"WordIsLittleEndian", "word", "\x34\x12", 2, {Value(0x1234)}, "\x34\x12"},
    {"DwordIsLittleEndian", "dword", "\x78\x56\x34\x12", 4, {Value(0x12345678)}, "\x78\x56\x34\x12"},
    {"DoubleIsLittleEndian", "double", DoubleOne, 8, {Value(1.0)}, DoubleOne},
    {"FloatIsDouble", "float", DoubleOne, 8, {Value(1.0)}, DoubleOne},
    {"WordBeIsBigEndian", "word_be", "\x12\x34", 2, {Value(0x1234)}, "\x12\x34"},
    {"DwordBeIsBigEndian", "dword_be", "\x12\x34\x56\x78", 4, {Value(0x12345678)}, "\x12\x34\x56\x78"},
    {"DoubleBeIsBigEndian", "double_be", OneBe, 8, {Value(1.0)}, OneBe},
    {"FloatBeIsDoubleBe", "float_be", OneBe, 8, {Value(1.0)}, OneBe},
    {"StrNonctrlStopsAtAControlByte", "str_nonctrl", "ab c\x01", 4, {Value("ab c")}, "ab c"},
    {"SetRepCountsTheLoop",
     "byte set_rep {rep byte}",
     "\x02\x0A\x0B",
     3,
     {Value(2), Value(10), Value(11)},
     "\x02\x0A\x0B"},
    {"RepEndsTheLoopAtTheCount",
     "byte set_rep {rep byte} byte",
     "\x01\x0A\x0B",
     3,
     {Value(1), Value(10), Value(11)},
     "\x01\x0A\x0B"},
    {"CrcModbusChecksTheBoundedBytes",
     "crc_start byte byte crc_end crc_modbus any any",
     ReadRequestFrame,
     4,
     {Value(1), Value(3)},
     std::nullopt},
    {"CrcModbusAppendsTheSum",
     "crc_start byte byte crc_end crc_modbus",
     ReadRequestFrame,
     2,
     {Value(1), Value(3)},
     ReadRequestFrame},
    {"CrcWakeRefusesAFractionInItsRange",
     "crc_start str_float crc_end crc_wake byte",
     "1.500000\x06",
     9,
     {Value(1.5), Value(6)},
     std::nullopt},
};
INSTANTIATE_TEST_SUITE_P(Names, ValueAction, ::testing::ValuesIn(ActionCases), CaseName<ActionCase>);

// The rule compiler's actions run only inside a compile: a rule may call one while parsing,
// but composing finds no such action.
TEST(BuiltinTable, CompilerActionsParseOnly)
{
    Compiled rule = CompileText("BNFrv");
    ASSERT_EQ(rule.consumed, 5);
    EXPECT_TRUE(ParseText(*rule.article, "").ok);
    EXPECT_FALSE(ComposeValues(*rule.article, {}).ok);
}

TEST(BuiltinTable, NamesAreCaseSensitive)
{
    InitGrammarBuiltins();
    for (const char* name : {"BYTE", "Byte", "Hex", "bnfend", "Float"}) {
        EXPECT_EQ(ParseActionRegistry::Instance().Find(name), nullptr) << name;
        EXPECT_EQ(ComposeActionRegistry::Instance().Find(name), nullptr) << name;
    }
    Compiled rule = CompileText("BYTE");
    ASSERT_EQ(rule.consumed, 4);
    EXPECT_FALSE(ParseText(*rule.article, "\x01").ok);
    EXPECT_FALSE(ComposeValues(*rule.article, {Value(1)}).ok);
}

TEST(BuiltinTable, FloatIsTheEightByteDouble)
{
    const std::string bytes = Bytes("00 00 00 00 00 00 F0 3F");
    for (const char* rule : {"float", "double"}) {
        SCOPED_TRACE(rule);
        Compiled r = CompileText(rule);
        ParseResult parsed = ParseText(*r.article, bytes);
        ASSERT_TRUE(parsed.ok);
        EXPECT_EQ(parsed.pos, 8);
        EXPECT_EQ(parsed.values, ValueList{Value(1.0)});
        EXPECT_EQ(ComposeValues(*r.article, {Value(1.0)}).output, bytes);
    }
    for (const char* rule : {"float_be", "double_be"})
        EXPECT_EQ(HexDump(ComposeValues(*CompileText(rule).article, {Value(1.0)}).output), "3F F0 00 00 00 00 00 00");
}

TEST(BuiltinTable, UpperCaseHexDiffersOnlyWhenComposing)
{
    Compiled lower = CompileText("hex:2");
    Compiled upper = CompileText("HEX:2");
    EXPECT_EQ(ParseText(*lower.article, "7f").values, ValueList{Value(127)});
    EXPECT_EQ(ParseText(*upper.article, "7f").values, ValueList{Value(127)});
    EXPECT_EQ(ComposeValues(*lower.article, {Value(0x1ABC)}).output, "bc");
    EXPECT_EQ(ComposeValues(*upper.article, {Value(0x1ABC)}).output, "BC");
}

}  // namespace

}  // namespace baudrill::test
