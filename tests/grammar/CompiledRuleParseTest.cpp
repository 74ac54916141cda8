// Rules compiled from text, run over bytes: ordered choice, greedy loops, the
// choices a finished loop keeps open, references.

#include "grammar/compiler/GrammarBuiltins.h"

#include "tests/support/grammar/CompilerTestSupport.h"
#include "tests/support/NamedCase.h"

#include <gtest/gtest.h>

namespace baudrill::test {

namespace {

struct ParseCase : NamedCase {
    std::string rule;
    std::string input;
    bool ok;
    int pos;  // when ok
};

class CompiledRuleParse : public ::testing::TestWithParam<ParseCase> {
protected:
    static void SetUpTestSuite() { CreateArticle("BNF", "cp_digit", "\"0\" | \"1\" | \"2\""); }
};

TEST_P(CompiledRuleParse, MatchesAsWritten)
{
    const ParseCase& c = GetParam();
    const BNFarticle* rule = CompileWhole(c.rule);
    ASSERT_TRUE(rule);
    ParseResult r = ParseText(*rule, c.input);
    EXPECT_EQ(r.ok, c.ok);
    if (c.ok) {
        EXPECT_EQ(r.pos, c.pos);
    }
}

const ParseCase ParseCases[] = {
    {"LiteralPrefix", "\"AB\"", "ABC", true, 2},
    {"LiteralTooShort", "\"AB\"", "A", false, 0},
    {"LiteralMismatch", "\"AB\"", "AX", false, 0},
    {"EmptyRuleMatchesNothing", "", "xyz", true, 0},
    {"EscapedLiteral", "\"\\01\\22\"", std::string("\x01\"", 2), true, 2},
    // The first alternative that reaches the fork's end is committed.
    {"CommittedAlternative", "(\"A\" | \"AB\") \"C\"", "ABC", false, 0},
    {"LongerAlternativeFirst", "(\"AB\" | \"A\") \"C\"", "ABC", true, 3},
    {"SecondAlternative", "(\"AB\" | \"A\") \"C\"", "AC", true, 2},
    {"UngroupedAlternatives", "\"A\" \"B\" | \"C\"", "C", true, 1},
    {"CommittedOption", "[\"A\"] \"AC\"", "AC", false, 0},
    {"OptionTaken", "[\"A\"] \"AC\"", "AAC", true, 3},
    // A finished loop inside the option keeps the option's bypass open.
    {"LoopKeepsOptionOpen", "[\"A\" {\"B\"}] \"AC\"", "AC", true, 2},
    {"GreedyLoop", "{\"A\"} \"AB\"", "AAB", false, 0},
    {"InnerLoopKeepsIterationsOpen", "{\"A\" {\"B\"}} \"AB\"", "AAB", true, 3},
    {"LoopZeroTimes", "{\"A\"}", "B", true, 0},
    {"LoopThreeTimes", "{\"A\"}", "AAA", true, 3},
    {"LoopOfAlternatives", "{\"A\" | \"B\"}", "ABBA!", true, 4},
    {"EmptyLoopEnds", "{} \"A\"", "A", true, 1},
    {"Reference", "<cp_digit> <cp_digit>", "21", true, 2},
    {"ReferenceFails", "<cp_digit>", "7", false, 0},
    {"LoopOfReference", "{<cp_digit>} \";\"", "0120;", true, 5},
    {"BuiltinWhitespace", "<BNFwhite> \"A\" <BNFwhite>", " \t\r\nA \n", true, 7},
};
INSTANTIATE_TEST_SUITE_P(Rules, CompiledRuleParse, ::testing::ValuesIn(ParseCases), CaseName<ParseCase>);

TEST(CompiledRuleReference, ArticleMadeLaterCompilesOnTheSecondTry)
{
    InitGrammarBuiltins();
    const std::string rule = "\"a\" <cp_later> \"b\"";
    EXPECT_EQ(CompileText(rule).consumed, 4);
    CreateArticle("BNF", "cp_later", "\"L\"");
    Compiled again = CompileText(rule);
    ASSERT_EQ(again.consumed, static_cast<int>(rule.size()));
    EXPECT_TRUE(ParseText(*again.article, "aLb").ok);
}

TEST(CompiledRuleReference, ResolvesToTheFirstArticleOfTheName)
{
    CreateArticle("BNF", "cp_twice", "\"1\"");
    CreateArticle("BNF", "cp_twice", "\"2\"");
    Compiled rule = CompileText("<cp_twice>");
    EXPECT_TRUE(ParseText(*rule.article, "1").ok);
    EXPECT_FALSE(ParseText(*rule.article, "2").ok);
}

TEST(CompiledRuleReference, DeletedTargetMatchesNothingInBothDirections)
{
    BNFarticle* target = CreateArticle("cp_gone", "t", "\"T\"");
    Compiled rule = CompileText("\"a\" <cp_gone::t> \"b\"");
    ASSERT_EQ(rule.consumed, 20);
    EXPECT_FALSE(ParseText(*rule.article, "ab").ok);
    ArticleNamespace& space = GrammarRegistry::Instance().GetAdd("cp_gone");
    space.Remove(space.Find(target->uid));
    ParseResult parsed = ParseText(*rule.article, "ab");
    EXPECT_TRUE(parsed.ok);
    EXPECT_EQ(parsed.pos, 2);
    EXPECT_EQ(ComposeValues(*rule.article, {}).output, "ab");
}

TEST(CompiledRuleCompose, LiteralsOptionsAndAlternativesEmitTheirFirstBranch)
{
    Compiled rule = CompileText("\"A\" [\"B\"] (\"C\" | \"D\") {\"E\"} \"\\0D\\0A\"");
    ComposeResult r = ComposeValues(*rule.article, {});
    EXPECT_TRUE(r.ok);
    // A loop of literals consumes no value, so it makes no progress and ends.
    EXPECT_EQ(r.output, "ABC\r\n");
}

}  // namespace

}  // namespace baudrill::test
