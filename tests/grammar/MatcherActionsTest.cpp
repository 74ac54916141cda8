// Code elements and the state they restore, in both directions.

#include "tests/support/grammar/GrammarTestSupport.h"

namespace baudrill {
namespace {

using test::RuleBuilder;

TEST(ComposeRuns, OutputOfAnAbandonedAlternativeIsTakenBack)
{
    // ("A" t_arg:1 | "B" t_arg:2)
    BNFarticle a;
    RuleBuilder r(a);
    r.Group([&] { r.T("A").Code("t_arg", Value(1)).Or([&] { r.T("B").Code("t_arg", Value(2)); }); });
    ASSERT_EQ(CheckGraph(a), "");
    test::ComposeResult two = test::ComposeValues(a, {Value(2)});
    EXPECT_TRUE(two.ok);
    EXPECT_EQ(two.output, "B");
    EXPECT_EQ(two.next, 1);
    EXPECT_EQ(test::ComposeValues(a, {Value(1)}).output, "A");
    EXPECT_FALSE(test::ComposeValues(a, {Value(3)}).ok);
    EXPECT_FALSE(test::ComposeValues(a, {}).ok);
}

TEST(ComposeRuns, EmptyRuleAndLeftoverValues)
{
    BNFarticle empty;
    test::ComposeResult r = test::ComposeValues(empty, {Value(1), Value(2)});
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.output, "");
    EXPECT_EQ(r.next, 0);

    BNFarticle one;
    RuleBuilder(one).Code("t_byte");
    r = test::ComposeValues(one, {Value(0x41), Value(2), Value(3)});
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.output, "A");
    EXPECT_EQ(r.next, 1);
}

TEST(ComposeRuns, ComposeAppendsToPresentOutputFromPresentNext)
{
    BNFarticle a;
    RuleBuilder(a).T("<").Code("t_byte");
    ComposeContext ctx(ValueList{Value(0x31), Value(0x32)});
    ctx.state.next = 1;
    ctx.state.output = "x";
    ASSERT_TRUE(a.Compose(ctx));
    EXPECT_EQ(ctx.state.output, "x<2");
    EXPECT_EQ(ctx.state.next, 2);
}

TEST(CodeElements, AFailingParseActionLeavesNoTrace)
{
    // (t_addfail | "A") t_byte: the action moves pos, adds a value and pushes
    // registers before failing; the bypass must see none of it.
    BNFarticle a;
    RuleBuilder r(a);
    r.Group([&] { r.Code("t_addfail", Value("junk")).Or([&] { r.T("A"); }); }).Code("t_byte");
    ParseContext ctx("AB");
    ctx.AddValue(Value(7));
    ASSERT_TRUE(a.Parse(ctx));
    EXPECT_EQ(ctx.state.pos, 2);
    EXPECT_EQ(ctx.state.values, (ValueList{Value(7), Value(int('B'))}));
    EXPECT_TRUE(ctx.state.intRegs(9).Empty());
    EXPECT_TRUE(ctx.state.stringRegs(10).Empty());
}

TEST(CodeElements, AFailingComposeActionLeavesNoTrace)
{
    BNFarticle a;
    RuleBuilder r(a);
    r.Group([&] { r.Code("t_addfail").Or([&] { r.T("A"); }); }).Code("t_byte");
    ComposeContext ctx(ValueList{Value(0x42)});
    ASSERT_TRUE(a.Compose(ctx));
    EXPECT_EQ(ctx.state.output, "AB");
    EXPECT_EQ(ctx.state.next, 1);
    EXPECT_TRUE(ctx.state.escapes.empty());
    EXPECT_TRUE(ctx.state.intRegs(9).Empty());
}

TEST(CodeElements, UnknownActionFailsInBothDirections)
{
    BNFarticle a;
    RuleBuilder(a).Code("T_BYTE");  // names are case-sensitive
    EXPECT_FALSE(test::ParseText(a, "A").ok);
    EXPECT_FALSE(test::ComposeValues(a, {Value(1)}).ok);
}

TEST(CodeElements, AResumedChoiceRestoresRegisters)
{
    // t_push:3 (t_dec "X" | "Y") t_top: the decrement on the abandoned
    // alternative is taken back, so the counter reads 3 again.
    BNFarticle a;
    RuleBuilder r(a);
    r.Code("t_push", Value(3));
    r.Group([&] { r.Code("t_dec").T("X").Or([&] { r.T("Y"); }); });
    r.Code("t_top");
    test::ParseResult res = test::ParseText(a, "Y");
    ASSERT_TRUE(res.ok);
    EXPECT_EQ(res.values, ValueList{Value(3)});
}

TEST(CodeElements, CountedLoopRunsAsManyIterationsAsTheCounterHolds)
{
    // t_push:3 {t_dec t_byte}: counters decrement in place, the spent iteration
    // is taken back, and the run goes on after the loop.
    BNFarticle a;
    RuleBuilder r(a);
    r.Code("t_push", Value(3)).Loop([&] { r.Code("t_dec").Code("t_byte"); }).Code("t_top");
    test::ParseResult res = test::ParseText(a, "abcde");
    ASSERT_TRUE(res.ok);
    EXPECT_EQ(res.pos, 3);
    EXPECT_EQ(res.values, (ValueList{Value(int('a')), Value(int('b')), Value(int('c')), Value(0)}));

    // Composing pads: a register change counts as progress even when only
    // literals are written.
    BNFarticle pad;
    RuleBuilder p(pad);
    p.Code("t_push", Value(3)).Loop([&] { p.Code("t_dec").T(std::string(1, '\0')); });
    test::ComposeResult out = test::ComposeValues(pad, {});
    ASSERT_TRUE(out.ok);
    EXPECT_EQ(out.output, std::string(3, '\0'));
}

TEST(CallerMarks, AMarkTakenBeforeARunGivesTheRegistersBack)
{
    // t_push:5 t_dec t_byte: the run commits (no choice is left open), yet the
    // caller's mark must still take back what it changed.
    BNFarticle a;
    RuleBuilder(a).Code("t_push", Value(5)).Code("t_dec").Code("t_byte");

    ParseContext parse("xy");
    parse.state.intRegs(9).Push(1);
    const ParseMark before = parse.Mark();
    ASSERT_TRUE(a.Parse(parse));
    ASSERT_EQ(*parse.state.intRegs(9).Top(), 4);
    parse.Restore(before);
    EXPECT_EQ(parse.state.pos, 0);
    EXPECT_TRUE(parse.state.values.empty());
    ASSERT_EQ(parse.state.intRegs(9).Count(), 1u);
    EXPECT_EQ(*parse.state.intRegs(9).Top(), 1);

    // Two runs after the mark: the second must not drop what the first changed.
    ComposeContext compose(ValueList{Value(0x41), Value(0x42)});
    const ComposeMark empty = compose.Mark();
    ASSERT_TRUE(a.Compose(compose));
    ASSERT_TRUE(a.Compose(compose));
    ASSERT_EQ(compose.state.output, "AB");
    ASSERT_EQ(compose.state.intRegs(9).Count(), 2u);
    compose.Restore(empty);
    EXPECT_EQ(compose.state.output, "");
    EXPECT_TRUE(compose.state.intRegs(9).Empty());
}

TEST(CodeElements, TheTemplateOfInsertCodeStaysTheCallers)
{
    test::RegisterTestActions();
    BNFcode code("t_arg", Value(5));
    BNFarticle a;
    a.InsertCode(code);
    code.v = Value(6);
    code.SetText("t_fail");
    test::ParseResult r = test::ParseText(a, "");
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.values, ValueList{Value(5)});
}

TEST(CodeElements, ARenamedCodeElementCallsItsNewAction)
{
    // The action is cached after the first run; a new name, set through
    // SetText or written to the public field, must reach the new action.
    test::RegisterTestActions();
    const std::function<void(BNFcode&, const std::string&)> renames[] = {
        [](BNFcode& code, const std::string& name) { code.SetText(name); },
        [](BNFcode& code, const std::string& name) { code.id = name; },
    };
    for (const auto& rename : renames) {
        BNFarticle a;
        a.InsertCode(BNFcode("t_fail", Value(0)));
        ASSERT_EQ(a.elements[3]->type, CodeType);
        auto& code = static_cast<BNFcode&>(*a.elements[3]);
        EXPECT_FALSE(test::ParseText(a, "").ok);  // caches t_fail
        EXPECT_FALSE(test::ComposeValues(a, {Value(0)}).ok);
        rename(code, "t_arg");
        EXPECT_TRUE(test::ParseText(a, "").ok);
        EXPECT_TRUE(test::ComposeValues(a, {Value(0)}).ok);
        rename(code, "t_fail");
        EXPECT_FALSE(test::ParseText(a, "").ok);
        EXPECT_FALSE(test::ComposeValues(a, {Value(0)}).ok);
    }
}

}  // namespace
}  // namespace baudrill
