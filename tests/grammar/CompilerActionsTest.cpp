// The rule-compiler actions on their own: what they push and insert, and that
// they fail safely, changing nothing, outside a compile.

#include "grammar/BNFterminal.h"
#include "grammar/GrammarRegistry.h"
#include "grammar/compiler/CompileScope.h"
#include "grammar/compiler/CompilerActions.h"
#include "grammar/compiler/CompilerStacks.h"
#include "grammar/compiler/GrammarBuiltins.h"
#include "grammar/compiler/RuleDelimiters.h"

#include "tests/support/grammar/CompilerTestSupport.h"

#include <gtest/gtest.h>

namespace baudrill::test {

namespace {

std::vector<std::string> Words(const ParseContext& ctx)
{
    std::vector<std::string> words;
    auto stack = ctx.state.stringRegs(WordStack);
    for (std::size_t k = stack.Count(); k-- > 0;)
        words.push_back(*stack.Top(k));
    return words;
}

TEST(MetaStr, ReadsUpToAStopByteAndReplacesEscapes)
{
    ParseContext ctx("ab\\41:cd");
    ASSERT_TRUE(MetaStr(ctx, Value(RuleDelimiters)));
    EXPECT_EQ(ctx.state.pos, 5);
    EXPECT_EQ(Words(ctx), std::vector<std::string>{"abA"});
    // Standing on a stop byte: fails without moving.
    EXPECT_FALSE(MetaStr(ctx, Value(RuleDelimiters)));
    EXPECT_EQ(ctx.state.pos, 5);
}

TEST(MetaStr, WithoutAStringArgumentReadsTheRest)
{
    ParseContext ctx("a b;c");
    ASSERT_TRUE(MetaStr(ctx, Value(7)));
    EXPECT_EQ(ctx.state.pos, 5);
    EXPECT_EQ(Words(ctx), std::vector<std::string>{"a b;c"});
    EXPECT_FALSE(MetaStr(ctx, Value(7)));  // at the end: an empty word
}

TEST(MetaStr10, PushesOnlyStrings)
{
    ParseContext ctx("");
    EXPECT_TRUE(MetaStr10(ctx, Value(5)));
    EXPECT_TRUE(Words(ctx).empty());
    EXPECT_TRUE(MetaStr10(ctx, Value("BNF")));
    EXPECT_EQ(Words(ctx), std::vector<std::string>{"BNF"});
}

struct DecimalCase {
    std::string word;
    bool ok;
    Value pushed;
};

TEST(MetaDecimal, ConvertsTheWordOnTopOfTheWordStack)
{
    const DecimalCase cases[] = {
        {"12", true, Value(12)},
        {"-12", true, Value(-12)},
        {"+3", true, Value(3)},
        {"1.5", true, Value(1.5)},
        {"-.25", true, Value(-0.25)},
        {"2.5e2", true, Value(250.0)},
        {"0x1F", true, Value(31)},
        {"0x1f", true, Value(31)},
        {"0xZZ", true, Value(Value::IntNull)},
        {"0x", false, Value()},
        {"2147483648", false, Value()},
        {"99999999999999999999", false, Value()},
        {"1.2.3", false, Value()},
        {"1e3", false, Value()},
        {"nan.", false, Value()},
        {"12a", false, Value()},
        {"-", false, Value()},
        // A control byte is part of the word, not a blank around the number.
        {"7\x10", false, Value()},
        {"\x10"
         "7",
         false, Value()},
    };
    for (const DecimalCase& c : cases) {
        SCOPED_TRACE(c.word);
        ParseContext ctx("");
        ASSERT_TRUE(MetaStr10(ctx, Value(c.word)));
        EXPECT_EQ(MetaDecimal(ctx, Value(0)), c.ok);
        if (!c.ok)
            continue;
        const Value* top = ctx.state.valueRegs(ArgumentStack).Top();
        ASSERT_NE(top, nullptr);
        EXPECT_EQ(top->GetKind(), c.pushed.GetKind());
        EXPECT_EQ(*top, c.pushed);
    }
}

TEST(CompilerActions, EmptyStacksMakeThemFail)
{
    InitGrammarBuiltins();
    ParseContext ctx("x");
    for (ParseAction action : {MetaString, MetaDecimal, MetaTermEnd, MetaNontermEnd, MetaCodeEnd, MetaGroup,
                               MetaGroupEnd, MetaBranch, MetaOption, MetaRepeat, MetaBlockEnd, MetaNewScheme})
        EXPECT_FALSE(action(ctx, Value(0)));
    // A word alone is not enough for a call: the argument is missing.
    ASSERT_TRUE(MetaStr10(ctx, Value("byte")));
    EXPECT_FALSE(MetaCodeEnd(ctx, Value(0)));
}

// A cursor stack whose top is the skeleton link of `article`.
void PushCursor(ParseContext& ctx, BNFarticle& article)
{
    ctx.state.elementRegs(GroupStarts).Push(article.cursor);
    ctx.state.elementRegs(CursorStack).Push(article.cursor);
}

TEST(CompilerActions, InsertOnlyIntoTheArticleBeingBuilt)
{
    const CompileScope compiling;
    BNFarticle* other = CreateArticle("ca_test", "other", "");
    BNFarticle* built = CreateArticle("ca_test", "built", "");
    ASSERT_EQ(buildArticle, built);
    ParseContext ctx("");
    PushCursor(ctx, *other);
    MetaStr10(ctx, Value("lit"));
    for (ParseAction action : {MetaTermEnd, MetaGroup, MetaBranch, MetaOption, MetaRepeat})
        EXPECT_FALSE(action(ctx, Value(0)));
    EXPECT_EQ(other->elements.size(), 3u);
    EXPECT_EQ(built->elements.size(), 3u);

    // Once the article being built is gone, nothing is inserted anywhere.
    ParseContext own("");
    PushCursor(own, *built);
    ArticleNamespace& space = GrammarRegistry::Instance().GetAdd("ca_test");
    space.Remove(space.Find(built->uid));
    EXPECT_EQ(buildArticle, nullptr);
    MetaStr10(own, Value("lit"));
    EXPECT_FALSE(MetaTermEnd(own, Value(0)));
    EXPECT_FALSE(MetaOption(own, Value(0)));
}

TEST(CompilerActions, BuildAtTheCursorStack)
{
    const CompileScope compiling;
    BNFarticle* article = CreateArticle("ca_test", "shape", "");
    ParseContext ctx("");
    PushCursor(ctx, *article);
    // word [ "x" ] { "y" } — as the meta-grammar would drive it.
    ASSERT_TRUE(MetaStr10(ctx, Value("word")) && MetaRv(ctx, Value(2)) && MetaCodeEnd(ctx, Value(0)));
    ASSERT_TRUE(MetaOption(ctx, Value(0)) && MetaStr10(ctx, Value("x")) && MetaTermEnd(ctx, Value(0)));
    ASSERT_TRUE(MetaBlockEnd(ctx, Value(0)));
    ASSERT_TRUE(MetaRepeat(ctx, Value(0)) && MetaStr10(ctx, Value("y")) && MetaTermEnd(ctx, Value(0)));
    ASSERT_TRUE(MetaBlockEnd(ctx, Value(0)));
    EXPECT_EQ(DescribeArticle(*article), "word:2 [\"x\"] {\"y\"}");
    EXPECT_EQ(CheckGraph(*article), "");
    // Both stacks are back to the level the compile started with.
    EXPECT_EQ(ctx.state.elementRegs(GroupStarts).Count(), 1u);
    EXPECT_EQ(ctx.state.elementRegs(CursorStack).Count(), 1u);
    EXPECT_FALSE(MetaBlockEnd(ctx, Value(0)));  // never below the compile's own level
}

TEST(MetaNontermEnd, CreatesAMissingNamespaceEvenWhenItFails)
{
    InitGrammarBuiltins();
    ParseContext ctx("");
    MetaStr10(ctx, Value("ca_nowhere"));
    MetaStr10(ctx, Value("x"));
    EXPECT_FALSE(MetaNontermEnd(ctx, Value(0)));
    EXPECT_NE(GrammarRegistry::Instance().FindNamespace("ca_nowhere"), nullptr);
}

TEST(MetaNewScheme, NeedsTwoWords)
{
    InitGrammarBuiltins();
    const CompileScope compiling;
    ParseContext ctx("");
    MetaStr10(ctx, Value("ca_new"));
    EXPECT_FALSE(MetaNewScheme(ctx, Value(0)));
    EXPECT_EQ(GrammarRegistry::Instance().FindNamespace("ca_new"), nullptr);

    MetaStr10(ctx, Value("made"));
    ASSERT_TRUE(MetaNewScheme(ctx, Value(0)));
    ArticleNamespace* space = GrammarRegistry::Instance().FindNamespace("ca_new");
    ASSERT_NE(space, nullptr);
    ASSERT_EQ(space->GetCount(), 1);
    BNFarticle& made = *space->At(0);
    EXPECT_EQ(made.name, "made");
    EXPECT_EQ(buildArticle, &made);
    EXPECT_EQ(*ctx.state.elementRegs(CursorStack).Top(), made.cursor);
    EXPECT_EQ(*ctx.state.elementRegs(GroupStarts).Top(), made.cursor);
}

TEST(CompilerActions, RuleThatCallsThemParsesButDoesNotCompose)
{
    Compiled rule = CompileText("BNFstr:\" \" BNFend \"never\"");
    ParseResult parsed = ParseText(*rule.article, "word rest");
    EXPECT_TRUE(parsed.ok);
    EXPECT_EQ(parsed.pos, 4);  // "BNFend" ended the run before the literal
    EXPECT_TRUE(parsed.values.empty());
    EXPECT_FALSE(ComposeValues(*rule.article, {}).ok);
}

// A rule that names the actions that build, run over data, makes no article and
// changes none: every received chunk would otherwise add to the namespaces.
TEST(CompilerActions, OverDataTheyBuildNothing)
{
    Compiled rule = CompileText("{BNFstr10:\"ca_data\" BNFstr10:\"x\" BNFnewScheme BNFstr10:\"lit\" BNFterm_end} any");
    BNFarticle* last = CreateArticle("ca_test", "last compiled", "byte");
    ASSERT_EQ(buildArticle, last);
    const std::string before = DescribeArticle(*last);
    const std::size_t elements = last->elements.size();

    const ParseResult parsed = ParseText(*rule.article, "ab");
    EXPECT_TRUE(parsed.ok);
    EXPECT_EQ(parsed.pos, 1);
    EXPECT_EQ(GrammarRegistry::Instance().FindNamespace("ca_data"), nullptr);
    EXPECT_EQ(DescribeArticle(*last), before);
    EXPECT_EQ(last->elements.size(), elements);
}

TEST(CompilerActions, ACompileAddsNoValues)
{
    InitGrammarBuiltins();
    BNFarticle* article = CreateArticle("ca_test", "values", "");
    const std::string text = "a:1 b:\"s\" c:2.5 [d] {e} <BNFwhite>";
    ParseContext ctx(text);
    PushCursor(ctx, *article);
    buildArticle = article;
    const CompileScope compiling;
    ASSERT_TRUE(MetaGrammarScheme()->Parse(ctx));
    EXPECT_EQ(ctx.state.pos, static_cast<int>(text.size()));
    EXPECT_TRUE(ctx.state.values.empty());
    EXPECT_TRUE(ctx.state.valueRegs(ArgumentStack).Empty());
    EXPECT_TRUE(Words(ctx).empty());
}

}  // namespace

}  // namespace baudrill::test
