#include "tests/support/grammar/GrammarTestSupport.h"
#include "tests/support/NamedCase.h"

namespace baudrill {
namespace {

using test::RuleBuilder;

using Build = std::function<void(RuleBuilder&)>;

// Rules are written in the rule-text notation in the comments; inputs are bytes.
struct ParseCase : test::NamedCase {
    Build build;
    const char* input;
    bool ok;
    int pos;  // checked only when ok
};

class ChoiceSemantics : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ChoiceSemantics, Parse)
{
    const ParseCase& c = GetParam();
    BNFarticle article;
    RuleBuilder rule(article);
    c.build(rule);
    ASSERT_EQ(CheckGraph(article), "");
    test::ParseResult r = test::ParseText(article, c.input);
    EXPECT_EQ(r.ok, c.ok);
    if (c.ok && r.ok) {
        EXPECT_EQ(r.pos, c.pos);
    }
}

const Build ABRule = [](RuleBuilder& r) { r.T("AB"); };
const Build EmptyRule = [](RuleBuilder&) {};
// ("A" | "AB") "C"
const Build ShortFirst = [](RuleBuilder& r) { r.Group([&] { r.T("A").Or([&] { r.T("AB"); }); }).T("C"); };
// ("AB" | "A") "C"
const Build LongFirst = [](RuleBuilder& r) { r.Group([&] { r.T("AB").Or([&] { r.T("A"); }); }).T("C"); };
// ["A"] "AC"
const Build OptionRule = [](RuleBuilder& r) { r.Option([&] { r.T("A"); }).T("AC"); };
// ["A" {"B"}] "AC"
const Build OptionWithLoop = [](RuleBuilder& r) { r.Option([&] { r.T("A").Loop([&] { r.T("B"); }); }).T("AC"); };
// {"A"} "AB"
const Build LoopThenAB = [](RuleBuilder& r) { r.Loop([&] { r.T("A"); }).T("AB"); };
// {"A" {"B"}} "AB"
const Build NestedLoopThenAB = [](RuleBuilder& r) { r.Loop([&] { r.T("A").Loop([&] { r.T("B"); }); }).T("AB"); };
// {"A"}
const Build SimpleLoopRule = [](RuleBuilder& r) { r.Loop([&] { r.T("A"); }); };
// (nosuch | "A")
const Build UnknownAction = [](RuleBuilder& r) { r.Group([&] { r.Code("no_such_action").Or([&] { r.T("A"); }); }); };
// a | b c  with literals: ("a") or ("b" "c")
const Build AlternativesRule = [](RuleBuilder& r) { r.T("a").Or([&] { r.T("b").T("c"); }); };
// | "a": an empty first alternative always matches
const Build EmptyFirstAlternativeRule = [](RuleBuilder& r) { r.Or([&] { r.T("a"); }); };
// "a" | "b" | "c"
const Build ThreeAlternatives = [](RuleBuilder& r) { r.T("a").Or([&] { r.T("b").Or([&] { r.T("c"); }); }); };

// { {"A"} ({"C"} | "D") }: on the second outer pass the inner loop is entered
// again while its entry from the first pass is still on the stack
const Build LoopEnteredAgain = [](RuleBuilder& r) {
    r.Loop([&] {
        r.Loop([&] { r.T("A"); });
        r.Group([&] { r.Loop([&] { r.T("C"); }).Or([&] { r.T("D"); }); });
    });
};
// { ["A"] ({"C"} | "D") }: the same with an option in place of the inner loop
const Build OptionEnteredAgainRule = [](RuleBuilder& r) {
    r.Loop([&] {
        r.Option([&] { r.T("A"); });
        r.Group([&] { r.Loop([&] { r.T("C"); }).Or([&] { r.T("D"); }); });
    });
};
// { {(t_last_is:9 "B" | "A")} t_arg:9 }: the inner loop can take B only on the
// second outer pass, after the 9
const Build LoopProgressesOnItsSecondEntry = [](RuleBuilder& r) {
    r.Loop([&] {
        r.Loop([&] { r.Group([&] { r.Code("t_last_is", Value(9)).T("B").Or([&] { r.T("A"); }); }); });
        r.Code("t_arg", Value(9));
    });
};

INSTANTIATE_TEST_SUITE_P(
    Matcher, ChoiceSemantics,
    ::testing::Values(ParseCase{"LiteralMatchesPrefix", ABRule, "ABC", true, 2},
                      ParseCase{"LiteralFailsShort", ABRule, "A", false, 0},
                      ParseCase{"LiteralFailsMismatch", ABRule, "AX", false, 0},
                      ParseCase{"EmptyRuleOnEmptyInput", EmptyRule, "", true, 0},
                      ParseCase{"EmptyRuleOnAnyInput", EmptyRule, "xyz", true, 0},
                      // the fork is committed at its unitor: "AB" is never tried
                      ParseCase{"CommittedForkFails", ShortFirst, "ABC", false, 0},
                      ParseCase{"OrderedForkLongFirstABC", LongFirst, "ABC", true, 3},
                      ParseCase{"OrderedForkLongFirstAC", LongFirst, "AC", true, 2},
                      ParseCase{"CommittedOptionFails", OptionRule, "AC", false, 0},
                      ParseCase{"OptionTaken", OptionRule, "AAC", true, 3},
                      // the finished loop's leftover entry keeps the option open
                      ParseCase{"LoopKeepsOptionOpen", OptionWithLoop, "AC", true, 2},
                      ParseCase{"LoopNeverGivesBack", LoopThenAB, "AAB", false, 0},
                      ParseCase{"InnerLoopKeepsOuterIterationsOpen", NestedLoopThenAB, "AAB", true, 3},
                      ParseCase{"LoopZeroTimes", SimpleLoopRule, "B", true, 0},
                      ParseCase{"LoopGreedy", SimpleLoopRule, "AAA", true, 3},
                      ParseCase{"UnknownActionFailsAndBranchIsTaken", UnknownAction, "A", true, 1},
                      ParseCase{"AlternativeFirst", AlternativesRule, "a", true, 1},
                      ParseCase{"AlternativeSecondIsSequence", AlternativesRule, "bc", true, 2},
                      ParseCase{"AlternativeSecondIncomplete", AlternativesRule, "b", false, 0},
                      ParseCase{"EmptyFirstAlternative", EmptyFirstAlternativeRule, "a", true, 0},
                      ParseCase{"ThirdAlternative", ThreeAlternatives, "c", true, 1},
                      ParseCase{"NoAlternative", ThreeAlternatives, "d", false, 0},
                      // the no-progress check belongs to the end of an iteration, not to entering a loop
                      ParseCase{"LoopEnteredAgainRunsItsBody", LoopEnteredAgain, "AD", true, 2},
                      ParseCase{"OptionEnteredAgain", OptionEnteredAgainRule, "AD", true, 2},
                      ParseCase{"LoopEnteredAgainCanProgress", LoopProgressesOnItsSecondEntry, "AB", true, 2}),
    test::CaseName<ParseCase>);

// The cursor operations, as the built-in rules use them.
TEST(CursorBuiltRules, ForkTriesTheRegionThenTheBypass)
{
    BNFarticle a;
    a.SetMark(true).InsertTerminal("a").SetMark(false).Wrap(false).InsertTerminal("b").PopCursor();
    ASSERT_EQ(CheckGraph(a), "");
    EXPECT_TRUE(test::ParseText(a, "a").ok);
    EXPECT_TRUE(test::ParseText(a, "b").ok);
    EXPECT_FALSE(test::ParseText(a, "c").ok);
}

TEST(CursorBuiltRules, LoopMatchesAnyRunIncludingNone)
{
    BNFarticle a;
    a.SetMark(false).InsertLink().SetMark(true).Wrap(true).InsertTerminal("x").PopCursor();
    ASSERT_EQ(CheckGraph(a), "");
    EXPECT_EQ(test::ParseText(a, "").pos, 0);
    EXPECT_EQ(test::ParseText(a, "xxxy").pos, 3);
}

TEST(CursorBuiltRules, LoopWrappedLastIsTriedFirstOnEveryPass)
{
    BNFarticle a;
    a.SetMark(false).InsertLink().SetMark(true);
    for (const char* literal : {"x", "y"})
        a.Wrap(true).InsertTerminal(literal).PopCursor();
    ASSERT_EQ(CheckGraph(a), "");
    test::ParseResult r = test::ParseText(a, "yxy");
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.pos, 3);
}

TEST(CursorBuiltRules, NestedLoopsAroundOneRegionReadTheLongestRun)
{
    // Whitespace as the built-in rule builds it: four loops around the same
    // empty region. Every pass goes back through all four, whose leftover
    // entries are passed again.
    BNFarticle a;
    a.SetMark(false).InsertLink().SetMark(true);
    for (const char* blank : {" ", "\n", "\t", "\r"})
        a.Wrap(true).InsertTerminal(blank).PopCursor();
    ASSERT_EQ(CheckGraph(a), "");
    test::ParseResult r = test::ParseText(a, " \t\r\n  \tx");
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.pos, 7);
    EXPECT_EQ(test::ParseText(a, "x").pos, 0);
    EXPECT_EQ(test::ParseText(a, "").pos, 0);

    // What is inserted at the cursor afterwards lies inside the region, so it
    // runs on every pass: "x" here must come before each blank and at the end.
    a.InsertTerminal("x");
    ASSERT_EQ(CheckGraph(a), "");
    EXPECT_EQ(test::ParseText(a, "x x\tx").pos, 5);
    EXPECT_FALSE(test::ParseText(a, " x").ok);
}

TEST(MatcherRuns, ComposeEntersALoopAgainOnTheNextOuterPass)
{
    // { {t_arg:7} ({"X"} | t_arg:1) } from 7, 1: the second outer pass takes the 1.
    BNFarticle a;
    RuleBuilder r(a);
    r.Loop([&] {
        r.Loop([&] { r.Code("t_arg", Value(7)); });
        r.Group([&] { r.Loop([&] { r.T("X"); }).Or([&] { r.Code("t_arg", Value(1)); }); });
    });
    test::ComposeResult c = test::ComposeValues(a, {Value(7), Value(1)});
    EXPECT_TRUE(c.ok);
    EXPECT_EQ(c.next, 2);
    EXPECT_EQ(c.output, "");
}

TEST(MatcherRuns, ParseStartsAtPosAndAppendsToValues)
{
    BNFarticle a;
    RuleBuilder(a).Code("t_byte").T("!");
    ParseContext ctx("ab!");
    ctx.state.pos = 1;
    ctx.AddValue(Value("earlier"));
    ASSERT_TRUE(a.Parse(ctx));
    EXPECT_EQ(ctx.state.pos, 3);
    EXPECT_EQ(ctx.state.values, (ValueList{Value("earlier"), Value(int('b'))}));
}

TEST(MatcherRuns, StartOutsideTheInputFails)
{
    BNFarticle a;  // the empty rule matches anywhere inside the input
    for (int pos : {-1, 3, 100}) {
        ParseContext ctx("ab");
        ctx.state.pos = pos;
        EXPECT_FALSE(a.Parse(ctx)) << pos;
    }
    ParseContext atEnd("ab");
    atEnd.state.pos = 2;
    EXPECT_TRUE(a.Parse(atEnd));
    ComposeContext past(ValueList{Value(1)});
    past.state.next = 2;
    EXPECT_FALSE(a.Compose(past));
}

TEST(MatcherRuns, StopEndsTheRunWithSuccessAtOnce)
{
    BNFarticle a;
    RuleBuilder(a).T("A").Code("t_stop").T("Z");
    test::ParseResult r = test::ParseText(a, "A");
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.pos, 1);

    ParseContext already("A");
    already.stop = true;
    EXPECT_TRUE(a.Parse(already));
    EXPECT_EQ(already.state.pos, 0);
}

}  // namespace
}  // namespace baudrill
