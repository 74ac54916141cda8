// The table of built-in actions: every name in both registries, bound to its
// operation, and nothing more.

#include "grammar/ActionRegistry.h"
#include "grammar/actions/ValueActions.h"
#include "grammar/compiler/CompilerActions.h"
#include "grammar/compiler/GrammarBuiltins.h"

#include "tests/grammar/CompilerTestSupport.h"

#include <gtest/gtest.h>

namespace baudrill::test {

namespace {

struct Expected {
    const char* name;
    ParseAction parse;
    ComposeAction compose;  // null: parse only
};

const Expected kTable[] = {
    {"arg", ParseArg, ComposeArg},
    {"hex", ParseHex, ComposeHex},
    {"HEX", ParseHex, ComposeHexUpper},
    {"str_quoted", ParseStrQuoted, ComposeStrQuoted},
    {"str_int", ParseStrInt, ComposeStrInt},
    {"str_float", ParseStrFloat, ComposeStrFloat},
    {"any", ParseAny, ComposeAny},
    {"byte", ParseByte, ComposeByte},
    {"word", ParseWord, ComposeWord},
    {"dword", ParseDword, ComposeDword},
    {"float", ParseDouble, ComposeDouble},
    {"double", ParseDouble, ComposeDouble},
    {"word_be", ParseWordBe, ComposeWordBe},
    {"dword_be", ParseDwordBe, ComposeDwordBe},
    {"float_be", ParseDoubleBe, ComposeDoubleBe},
    {"double_be", ParseDoubleBe, ComposeDoubleBe},
    {"str_nonctrl", ParseStrNonctrl, ComposeStrNonctrl},
    {"set_rep", ParseSetRep, ComposeSetRep},
    {"rep", ParseRep, ComposeRep},
    {"crc_start", ParseCrcStart, ComposeCrcStart},
    {"crc_end", ParseCrcEnd, ComposeCrcEnd},
    {"crc_modbus", ParseCrcModbus, ComposeCrcModbus},
    {"crc_wake", ParseCrcWake, ComposeCrcWake},
    {"BNFbranch", MetaBranch, nullptr},
    {"BNFbranch_end", MetaBlockEnd, nullptr},
    {"BNFgroup", MetaGroup, nullptr},
    {"BNFgroup_end", MetaGroupEnd, nullptr},
    {"BNFoption", MetaOption, nullptr},
    {"BNFoption_end", MetaBlockEnd, nullptr},
    {"BNFrepeat", MetaRepeat, nullptr},
    {"BNFrepeat_end", MetaBlockEnd, nullptr},
    {"BNFstr", MetaStr, nullptr},
    {"BNFstr10", MetaStr10, nullptr},
    {"BNFterm_end", MetaTermEnd, nullptr},
    {"BNFnonterm_end", MetaNontermEnd, nullptr},
    {"BNFcode_end", MetaCodeEnd, nullptr},
    {"BNFrv", MetaRv, nullptr},
    {"BNFstring", MetaString, nullptr},
    {"BNFdecimal", MetaDecimal, nullptr},
    {"BNFend", MetaEnd, nullptr},
    {"BNFresume", MetaResume, nullptr},
    {"BNFnewScheme", MetaNewScheme, nullptr},
};

void ExpectExactlyTheTable()
{
    const ParseActionRegistry& parse = ParseActionRegistry::Instance();
    const ComposeActionRegistry& compose = ComposeActionRegistry::Instance();
    EXPECT_EQ(parse.GetCount(), 42);
    EXPECT_EQ(compose.GetCount(), 23);
    for (const Expected& e : kTable) {
        SCOPED_TRACE(e.name);
        EXPECT_EQ(parse.Find(e.name), e.parse);
        EXPECT_EQ(compose.Find(e.name), e.compose);
    }
}

TEST(BuiltinTable, EveryNameInBothRegistriesAndNothingMore)
{
    InitGrammarBuiltins();
    ExpectExactlyTheTable();
    // Counts of 42 and 23 with every listed name found leave no room for other
    // names; a second initialisation adds nothing.
    InitGrammarBuiltins();
    ExpectExactlyTheTable();
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
    const std::string bytes = FromHex("00 00 00 00 00 00 F0 3F");
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
        EXPECT_EQ(Hex(ComposeValues(*CompileText(rule).article, {Value(1.0)}).output), "3F F0 00 00 00 00 00 00");
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
