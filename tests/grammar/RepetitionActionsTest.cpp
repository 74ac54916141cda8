// Repetition counters: the actions on a context, and counted loops in rules.

#include "tests/support/grammar/ActionTestSupport.h"
#include "tests/support/grammar/GrammarTestSupport.h"

#include "grammar/actions/ActionRegisters.h"
#include "grammar/actions/RepetitionActions.h"

#include <limits>

namespace baudrill {
namespace {

using test::Bytes;
using test::RuleBuilder;

std::vector<std::int32_t> Counters(const MatchState& state)
{
    const auto view = state.intRegs(RepeatCounters);
    std::vector<std::int32_t> out;
    for (std::size_t i = view.Count(); i-- > 0;)
        out.push_back(*view.Top(i));
    return out;
}

TEST(RepetitionActions, ParseSetRepPushesTheLastValue)
{
    ParseContext ctx("");
    EXPECT_FALSE(ParseSetRep(ctx, Value(0)));  // no value yet
    ctx.AddValue(Value(9));
    ctx.AddValue(Value(3));
    ASSERT_TRUE(ParseSetRep(ctx, Value(0)));
    EXPECT_EQ(Counters(ctx.state), std::vector<std::int32_t>{3});

    for (Value wrongKind : {Value(3.0), Value("3"), Value(std::int64_t{3})}) {
        ParseContext other("");
        other.AddValue(wrongKind);
        EXPECT_FALSE(ParseSetRep(other, Value(0))) << wrongKind.ToString();
    }
}

TEST(RepetitionActions, ComposeSetRepPushesTheValueConsumedLast)
{
    ComposeContext ctx(ValueList{Value(4), Value(2.0), Value(7)});
    EXPECT_FALSE(ComposeSetRep(ctx, Value(0)));  // nothing consumed yet
    ctx.state.next = 1;
    ASSERT_TRUE(ComposeSetRep(ctx, Value(0)));
    EXPECT_EQ(Counters(ctx.state), std::vector<std::int32_t>{4});
    EXPECT_EQ(ctx.state.next, 1);
    EXPECT_TRUE(ctx.state.output.empty());
    ctx.state.next = 2;
    EXPECT_FALSE(ComposeSetRep(ctx, Value(0)));  // a double
    ctx.state.next = 4;
    EXPECT_FALSE(ComposeSetRep(ctx, Value(0)));  // past the values
}

TEST(RepetitionActions, RepCountsTheTopCounterDown)
{
    struct Case {
        const char* name;
        std::vector<std::int32_t> before;
        bool ok;
        std::vector<std::int32_t> after;
    };
    constexpr std::int32_t IntMin = std::numeric_limits<std::int32_t>::min();
    // clang-format off
    const Case cases[] = {
        {"no counter", {}, false, {}},
        {"counts down", {5, 2}, true, {5, 1}},
        {"last iteration", {1}, true, {0}},
        {"spent", {0}, false, {0}},
        {"negative", {-5}, false, {-5}},
        {"never wraps", {IntMin}, false, {IntMin}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ParseContext parse("");
        ComposeContext compose;
        for (std::int32_t v : c.before) {
            parse.state.intRegs(RepeatCounters).Push(v);
            compose.state.intRegs(RepeatCounters).Push(v);
        }
        EXPECT_EQ(ParseRep(parse, Value(0)), c.ok);
        EXPECT_EQ(ComposeRep(compose, Value(0)), c.ok);
        EXPECT_EQ(Counters(parse.state), c.after);
        EXPECT_EQ(Counters(compose.state), c.after);
    }
}

class CountedRules : public ::testing::Test {
protected:
    void SetUp() override { test::RegisterValueActions(); }

    // byte set_rep {rep byte}
    void CountedBytes(RuleBuilder& r)
    {
        r.Code("byte").Code("set_rep").Loop([&] { r.Code("rep").Code("byte"); });
    }
};

TEST_F(CountedRules, ALengthByteGovernsTheLoop)
{
    BNFarticle a;
    RuleBuilder r(a);
    CountedBytes(r);

    test::ParseResult p = test::ParseText(a, Bytes("03 0A 0B 0C 0D"));
    EXPECT_TRUE(p.ok);
    EXPECT_EQ(p.pos, 4);
    EXPECT_EQ(p.values, (ValueList{Value(3), Value(10), Value(11), Value(12)}));

    p = test::ParseText(a, Bytes("00 0A"));
    EXPECT_TRUE(p.ok);
    EXPECT_EQ(p.pos, 1);
    EXPECT_EQ(p.values, ValueList{Value(0)});

    // Too few items end the loop early without failing the run.
    p = test::ParseText(a, Bytes("03 0A"));
    EXPECT_TRUE(p.ok);
    EXPECT_EQ(p.pos, 2);

    test::ComposeResult c = test::ComposeValues(a, {Value(3), Value(10), Value(11), Value(12)});
    EXPECT_TRUE(c.ok);
    EXPECT_EQ(test::HexDump(c.output), "03 0A 0B 0C");
    c = test::ComposeValues(a, {Value(3), Value(10), Value(11)});
    EXPECT_TRUE(c.ok);
    EXPECT_EQ(test::HexDump(c.output), "03 0A 0B");
    EXPECT_EQ(c.next, 3);
}

TEST_F(CountedRules, ACountedLoopOfLiteralsPads)
{
    // byte set_rep {rep "\00"}: an iteration consumes no value, but counting
    // down is progress, so the loop writes one zero byte per count.
    BNFarticle a;
    RuleBuilder r(a);
    r.Code("byte").Code("set_rep").Loop([&] { r.Code("rep").T(std::string(1, '\0')); });
    test::ComposeResult c = test::ComposeValues(a, {Value(3)});
    EXPECT_TRUE(c.ok);
    EXPECT_EQ(test::HexDump(c.output), "03 00 00 00");
}

TEST_F(CountedRules, AnInnerSpentCounterStaysOnTop)
{
    // byte set_rep {rep byte set_rep {rep byte}}
    BNFarticle a;
    RuleBuilder r(a);
    r.Code("byte").Code("set_rep").Loop(
        [&] { r.Code("rep").Code("byte").Code("set_rep").Loop([&] { r.Code("rep").Code("byte"); }); });
    test::ParseResult p = test::ParseText(a, Bytes("02 01 AA 01 BB"));
    EXPECT_TRUE(p.ok);
    EXPECT_EQ(p.pos, 3);
    EXPECT_EQ(p.values, (ValueList{Value(2), Value(1), Value(170)}));
}

TEST_F(CountedRules, ACountDownInAFailedBranchIsUndone)
{
    // byte set_rep (rep byte "!" | "") {rep byte}: the first branch counts down,
    // reads a byte, and fails; the loop must still see the full count.
    BNFarticle parseRule;
    RuleBuilder p(parseRule);
    p.Code("byte").Code("set_rep");
    p.Group([&] { p.Code("rep").Code("byte").T("!").Or([&] { p.T(""); }); });
    p.Loop([&] { p.Code("rep").Code("byte"); });
    test::ParseResult parsed = test::ParseText(parseRule, Bytes("02 0A 0B"));
    EXPECT_TRUE(parsed.ok);
    EXPECT_EQ(parsed.pos, 3);
    EXPECT_EQ(parsed.values, (ValueList{Value(2), Value(10), Value(11)}));

    // The same in compose: byte set_rep (rep byte arg:99 | "") {rep byte}
    BNFarticle composeRule;
    RuleBuilder c(composeRule);
    c.Code("byte").Code("set_rep");
    c.Group([&] { c.Code("rep").Code("byte").Code("arg", Value(99)).Or([&] { c.T(""); }); });
    c.Loop([&] { c.Code("rep").Code("byte"); });
    test::ComposeResult composed = test::ComposeValues(composeRule, {Value(2), Value(10), Value(11)});
    EXPECT_TRUE(composed.ok);
    EXPECT_EQ(test::HexDump(composed.output), "02 0A 0B");
    EXPECT_EQ(composed.next, 3);
}

TEST_F(CountedRules, SetRepAndRepFailWithoutTheirInputs)
{
    BNFarticle repAlone;
    RuleBuilder(repAlone).Code("rep");
    EXPECT_FALSE(test::ParseText(repAlone, "").ok);
    EXPECT_FALSE(test::ComposeValues(repAlone, {Value(1)}).ok);

    BNFarticle setRepFirst;
    RuleBuilder(setRepFirst).Code("set_rep");
    EXPECT_FALSE(test::ParseText(setRepFirst, Bytes("01")).ok);
    EXPECT_FALSE(test::ComposeValues(setRepFirst, {Value(1)}).ok);

    BNFarticle afterDouble;
    RuleBuilder(afterDouble).Code("double").Code("set_rep");
    EXPECT_FALSE(test::ParseText(afterDouble, Bytes("00 00 00 00 00 00 F0 3F")).ok);
    EXPECT_FALSE(test::ComposeValues(afterDouble, {Value(1.0)}).ok);
}

}  // namespace
}  // namespace baudrill
