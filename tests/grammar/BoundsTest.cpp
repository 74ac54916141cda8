// Every run ends: loops without progress, deep nesting and long searches.

#include "grammar/compiler/ArticleFactory.h"
#include "grammar/compiler/GrammarBuiltins.h"
#include "tests/support/grammar/GrammarTestSupport.h"
#include "tests/support/NamedCase.h"

#include <string>

namespace baudrill {
namespace {

using test::NewArticle;
using test::RuleBuilder;

TEST(Bounds, EmptyLoopTerminates)
{
    BNFarticle a;
    RuleBuilder r(a);
    r.Loop([] {}).T("x");
    test::ParseResult p = test::ParseText(a, "x");
    EXPECT_TRUE(p.ok);
    EXPECT_EQ(p.pos, 1);
    test::ComposeResult c = test::ComposeValues(a, {});
    EXPECT_TRUE(c.ok);
    EXPECT_EQ(c.output, "x");
}

TEST(Bounds, LoopOverAnItemThatMatchesEmptyTerminates)
{
    // {["a"]}: every turn after the a's matches without consuming.
    BNFarticle a;
    RuleBuilder r(a);
    r.Loop([&] { r.Option([&] { r.T("a"); }); });
    test::ParseResult p = test::ParseText(a, "aab");
    EXPECT_TRUE(p.ok);
    EXPECT_EQ(p.pos, 2);

    // {<e>} where e is the empty rule.
    BNFarticle& empty = NewArticle("BoundsEmpty", "e");
    BNFarticle b;
    RuleBuilder s(b);
    s.Loop([&] { s.Ref(empty, "BoundsEmpty"); });
    EXPECT_TRUE(test::ParseText(b, "zzz").ok);
    EXPECT_TRUE(test::ComposeValues(b, {}).ok);

    // {{"a"}}: the inner loop's leftover entry lies above the outer iteration.
    BNFarticle c;
    RuleBuilder t(c);
    t.Loop([&] { t.Loop([&] { t.T("a"); }); });
    p = test::ParseText(c, "aab");
    EXPECT_TRUE(p.ok);
    EXPECT_EQ(p.pos, 2);
}

TEST(Bounds, ComposingALoopOfLiteralsWritesNothing)
{
    // Output alone is no progress, so {"A"} composes to nothing.
    BNFarticle a;
    RuleBuilder r(a);
    r.Loop([&] { r.T("A"); });
    test::ComposeResult c = test::ComposeValues(a, {});
    EXPECT_TRUE(c.ok);
    EXPECT_EQ(c.output, "");
}

TEST(Bounds, RegistersThatEndAsTheyBeganAreNoProgress)
{
    // Progress is a register holding something else, not a register touched:
    // each loop below ends after its first idle iteration instead of running
    // into the step budget.
    struct Case {
        const char* name;
        std::function<void(RuleBuilder&)> build;
        std::int32_t top;  // the counter after the run
    };
    const Case cases[] = {
        // t_push:1 {t_push:2 t_pop} "x"
        {"PushAndPop",
         [](RuleBuilder& r) { r.Code("t_push", Value(1)).Loop([&] { r.Code("t_push", Value(2)).Code("t_pop"); }); }, 1},
        // t_push:5 {t_settop:5} "x"
        {"SetTopToTheSameValue",
         [](RuleBuilder& r) { r.Code("t_push", Value(5)).Loop([&] { r.Code("t_settop", Value(5)); }); }, 5},
        // t_push:5 {t_settop:4}: the first iteration changes the counter, the second does not
        {"SetTopOnceChanged",
         [](RuleBuilder& r) { r.Code("t_push", Value(5)).Loop([&] { r.Code("t_settop", Value(4)); }); }, 4},
        // t_push:1 {t_pop t_push:1}
        {"PopAndPushBack",
         [](RuleBuilder& r) { r.Code("t_push", Value(1)).Loop([&] { r.Code("t_pop").Code("t_push", Value(1)); }); }, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BNFarticle a;
        RuleBuilder r(a);
        c.build(r);
        r.T("x");
        ParseContext parse("x");
        ASSERT_TRUE(a.Parse(parse));
        EXPECT_EQ(parse.state.pos, 1);
        EXPECT_EQ(*parse.state.intRegs(9).Top(), c.top);
        EXPECT_GT(parse.stepsLeft, DefaultStepBudget - 100);

        ComposeContext compose;
        ASSERT_TRUE(a.Compose(compose));
        EXPECT_EQ(compose.state.output, "x");
        EXPECT_EQ(*compose.state.intRegs(9).Top(), c.top);
    }
}

TEST(Bounds, LeftRecursionFailsCleanly)
{
    // a = <a> "x"
    BNFarticle& a = NewArticle("BoundsLeft", "a");
    RuleBuilder(a).Ref(a, "BoundsLeft").T("x");
    ParseContext ctx("xxx");
    EXPECT_FALSE(a.Parse(ctx));
    EXPECT_FALSE(ctx.BudgetExhausted());
    ComposeContext out;
    EXPECT_FALSE(a.Compose(out));
}

TEST(Bounds, NestingDeeperThan512FailsTheNonterminal)
{
    // a = "x" [<a>]: each level takes one x; the 513th reference fails and its
    // option's bypass is taken.
    BNFarticle& a = NewArticle("BoundsDeep", "a");
    RuleBuilder r(a);
    r.T("x").Option([&] { r.Ref(a, "BoundsDeep"); });
    EXPECT_EQ(test::ParseText(a, std::string(100, 'x')).pos, 100);
    test::ParseResult deep = test::ParseText(a, std::string(600, 'x'));
    EXPECT_TRUE(deep.ok);
    EXPECT_EQ(deep.pos, MaxNonterminalNesting + 1);
}

// {"a" {"z"}} repeated: each loop keeps every iteration open, so a failure at
// the end searches all ways to share the a's among the loops (like (a*)^k b).
void BuildSharing(RuleBuilder& r, int loops)
{
    for (int k = 0; k < loops; ++k)
        r.Loop([&] { r.T("a").Loop([&] { r.T("z"); }); });
    r.T("b");
}

TEST(Bounds, PathologicalBacktrackingStopsWithinTheStepBudget)
{
    BNFarticle a;
    RuleBuilder r(a);
    BuildSharing(r, 5);
    EXPECT_TRUE(test::ParseText(a, "aaab").ok);  // a small input just matches

    std::string input(200, 'a');
    input += 'c';
    ParseContext ctx(input);  // with the default budget of 10^7 steps
    EXPECT_FALSE(a.Parse(ctx));
    EXPECT_TRUE(ctx.BudgetExhausted());
    EXPECT_LE(ctx.stepsLeft, 0);
    EXPECT_EQ(ctx.OpenChoices(), 0u);

    // A context that ran out stays failed; the budget is shared by passing it on.
    EXPECT_FALSE(a.Parse(ctx));
}

TEST(Bounds, TheBudgetCountsStepsOfSubRunsToo)
{
    BNFarticle& inner = NewArticle("BoundsBudget", "inner");
    RuleBuilder(inner).T("a").T("b");
    BNFarticle caller;
    RuleBuilder(caller).Ref(inner, "BoundsBudget");
    ParseContext measured("ab");
    ASSERT_TRUE(caller.Parse(measured));
    std::int64_t used = DefaultStepBudget - measured.stepsLeft;
    EXPECT_GT(used, 5);  // the caller's own begin, link, reference, link, end and the inner run

    ParseContext tight("ab");
    tight.stepsLeft = used - 1;
    EXPECT_FALSE(caller.Parse(tight));
    EXPECT_TRUE(tight.BudgetExhausted());
    ParseContext enough("ab");
    enough.stepsLeft = used;
    EXPECT_TRUE(caller.Parse(enough));
}

// Loops whose every iteration pushes a register without reading input make
// progress by the definition, so only the budget ends them; the register then
// holds about one entry per few steps, never a copy per iteration.
struct EndlessCase : test::NamedCase {
    const char* rule;
    bool composes;  // the compose direction runs the loop too
};

class EndlessLoops : public ::testing::TestWithParam<EndlessCase> {
protected:
    static void SetUpTestSuite() { InitGrammarBuiltins(); }
};

TEST_P(EndlessLoops, EndWhenTheBudgetRunsOut)
{
    const EndlessCase& c = GetParam();
    const BNFarticle& rule = *CreateArticle("bounds_test", c.name, c.rule);
    constexpr std::int64_t Budget = 200'000;
    ParseContext parse(
        "\x03"
        "abc");
    parse.stepsLeft = Budget;
    EXPECT_FALSE(rule.Parse(parse));
    EXPECT_TRUE(parse.BudgetExhausted());
    EXPECT_EQ(parse.OpenChoices(), 0u);

    ComposeContext compose({Value(3)});
    compose.stepsLeft = Budget;
    EXPECT_EQ(rule.Compose(compose), !c.composes);
    EXPECT_EQ(compose.BudgetExhausted(), c.composes);
}

const EndlessCase EndlessCases[] = {
    {"CrcStartsInALoop", "{crc_start}", true},
    {"CrcEndsInALoop", "byte {crc_end}", true},
    {"ArgumentsPushedInALoop", "{BNFrv}", false},  // a rule-compiler action: parse only
    {"ArgumentsAfterACount", "byte set_rep {BNFrv}", false},
};
INSTANTIATE_TEST_SUITE_P(Rules, EndlessLoops, ::testing::ValuesIn(EndlessCases), test::CaseName<EndlessCase>);

// A step's time stays bounded: what an action scans or sums, and memory held
// beyond a free amount, are paid from the step budget too.
TEST(Bounds, WorkAndMemoryArePaidFromTheBudget)
{
    InitGrammarBuiltins();
    const std::string text(8000, 'a');
    ParseContext scan(text);
    ASSERT_TRUE(CreateArticle("bounds_test", "scan", "str_nonctrl")->Parse(scan));
    EXPECT_LE(scan.stepsLeft, DefaultStepBudget - 8000 / static_cast<std::int64_t>(WorkBytesPerStep));

    // A checksum over 1000 bytes costs a step a byte.
    const std::string frame = std::string(1000, 'a') + "\x01\x01";
    ParseContext summed(frame);
    CreateArticle("bounds_test", "summed", "crc_start str_nonctrl crc_end crc_modbus")->Parse(summed);
    ParseContext bounds(frame);
    CreateArticle("bounds_test", "bounds", "crc_start str_nonctrl crc_end")->Parse(bounds);
    EXPECT_GE(bounds.stepsLeft - summed.stepsLeft, 1000);

    // Each argument pushed holds memory: past the free amount the budget runs
    // out after far fewer pushes than the steps of the loop alone would allow.
    constexpr std::int64_t Budget = 2'000'000;
    ParseContext push("x");
    push.stepsLeft = Budget;
    EXPECT_FALSE(CreateArticle("bounds_test", "push", "{BNFrv}")->Parse(push));
    const std::size_t free = FreeFootprint / sizeof(Value);
    EXPECT_LT(push.state.valueRegs(10).Count(), free + Budget / 100);
    EXPECT_GT(push.state.valueRegs(10).Count(), free);
}

}  // namespace
}  // namespace baudrill
