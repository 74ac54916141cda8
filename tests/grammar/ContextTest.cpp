#include "grammar/ComposeContext.h"
#include "grammar/ParseContext.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace baudrill {
namespace {

TEST(RegisterBanksTest, EveryChangeIsUndoneInReverseOrder)
{
    RegisterBanks regs;
    regs.Ints(9).Push(3);
    regs.Strings(10).Push("word");
    std::size_t mark = regs.UndoHeight();

    regs.Ints(9).SetTop(2);
    regs.Ints(9).Push(7);
    std::int32_t popped = 0;
    EXPECT_TRUE(regs.Ints(9).Pop(popped));
    EXPECT_EQ(popped, 7);
    EXPECT_TRUE(regs.Strings(10).Pop());
    regs.Values(10).Push(Value(1.5));
    regs.Values(10).SetTop(Value("x"));
    EXPECT_EQ(*regs.Ints(9).Top(), 2);

    regs.UndoTo(mark);
    ASSERT_EQ(regs.Ints(9).Count(), 1u);
    EXPECT_EQ(*regs.Ints(9).Top(), 3);
    ASSERT_EQ(regs.Strings(10).Count(), 1u);
    EXPECT_EQ(*regs.Strings(10).Top(), "word");
    EXPECT_TRUE(regs.Values(10).Empty());
}

TEST(RegisterBanksTest, ChangedSinceComparesContentsNotChanges)
{
    RegisterBanks regs;
    regs.Ints(9).Push(3);
    regs.Values(10).Push(Value(1));
    regs.Strings(10).Push("a");
    const std::size_t mark = regs.UndoHeight();
    EXPECT_FALSE(regs.ChangedSince(mark));

    regs.Ints(9).Push(4);
    regs.Strings(10).Push("b");
    EXPECT_TRUE(regs.ChangedSince(mark));
    regs.Strings(10).Pop();
    regs.Ints(9).Pop();
    regs.Ints(9).SetTop(3);
    regs.Strings(10).SetTop("a");
    EXPECT_FALSE(regs.ChangedSince(mark));  // every register ends as it began

    regs.Values(10).SetTop(Value(1.0));  // equal in number, but of another kind
    EXPECT_TRUE(regs.ChangedSince(mark));
    regs.Values(10).SetTop(Value(1));
    EXPECT_FALSE(regs.ChangedSince(mark));
    regs.Ints(9).Pop();
    regs.Ints(11).Push(3);  // the same entry on another register
    EXPECT_TRUE(regs.ChangedSince(mark));
}

TEST(RegisterBanksTest, ChangedSinceLooksBelowTheTopOnlyWhereChangesReached)
{
    // Entries the changes popped and pushed again are compared with what they
    // replaced; entries below the lowest one touched are as they were.
    struct Case {
        const char* name;
        std::vector<std::int32_t> pushedAgain;  // after popping 30 and 20 off 10 20 30
        bool changed;
    };
    // clang-format off
    const Case cases[] = {
        {"TheSameEntriesBack", {20, 30}, false},
        {"AnotherEntryBelowTheTop", {21, 30}, true},
        {"AnotherTop", {20, 31}, true},
        {"OneEntryShort", {20}, true},
        {"OneEntryMore", {20, 30, 40}, true},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RegisterBanks regs;
        for (std::int32_t v : {10, 20, 30})
            regs.Ints(11).Push(v);
        regs.Ints(9).Push(1);
        const std::size_t mark = regs.UndoHeight();
        regs.Ints(11).Pop();
        regs.Ints(11).Pop();
        regs.Ints(9).SetTop(2);
        regs.Ints(9).SetTop(1);  // ends as it began
        for (std::int32_t v : c.pushedAgain)
            regs.Ints(11).Push(v);
        EXPECT_EQ(regs.ChangedSince(mark), c.changed);
    }
}

TEST(RegisterBanksTest, EmptyStacksAndBadIndexesFailWithoutChange)
{
    RegisterBanks regs;
    EXPECT_FALSE(regs.Ints(9).Pop());
    EXPECT_FALSE(regs.Ints(9).SetTop(1));
    EXPECT_EQ(regs.Ints(9).Top(), nullptr);
    EXPECT_FALSE(regs.Ints(16).Push(1));
    EXPECT_FALSE(regs.Ints(-1).Push(1));
    EXPECT_EQ(regs.Elements(99).Count(), 0u);
    EXPECT_EQ(regs.UndoHeight(), 0u);
}

TEST(RegisterBanksTest, TopReadsEntriesBelowIt)
{
    RegisterBanks regs;
    for (int v : {10, 20, 30})
        regs.Ints(11).Push(v);
    const RegisterBanks& view = regs;
    EXPECT_EQ(*view.Ints(11).Top(0), 30);
    EXPECT_EQ(*view.Ints(11).Top(1), 20);
    EXPECT_EQ(*view.Ints(11).Top(2), 10);
    EXPECT_EQ(view.Ints(11).Top(3), nullptr);
}

TEST(ContextTest, ARenewedContextIsAsFreshAsANewOne)
{
    const std::string first = "ab";
    ParseContext ctx(first);
    ctx.state.pos = 1;
    ctx.state.values.push_back(Value(1));
    ctx.state.intRegs(9).Push(4);
    ctx.state.stringRegs(10).Push("w");
    ctx.state.retry = false;
    ctx.stop = true;
    ctx.stepsLeft = 5;
    EXPECT_FALSE(ctx.Has(3));  // looks past the end
    ctx.run.choices.push_back({nullptr, true, NoIteration, ctx.Mark()});

    const std::string second = "xyz";
    ctx.Renew(second);
    const ParseContext fresh(second);
    EXPECT_EQ(ctx.input, fresh.input);
    EXPECT_EQ(ctx.state.pos, 0);
    EXPECT_TRUE(ctx.state.values.empty());
    EXPECT_TRUE(ctx.state.intRegs(9).Empty());
    EXPECT_TRUE(ctx.state.stringRegs(10).Empty());
    EXPECT_EQ(ctx.state.registers.UndoHeight(), 0u);
    EXPECT_TRUE(ctx.state.retry);
    EXPECT_FALSE(ctx.stop);
    EXPECT_EQ(ctx.stepsLeft, fresh.stepsLeft);
    EXPECT_EQ(ctx.Reach(), 0u);
    EXPECT_EQ(ctx.OpenChoices(), 0u);
    EXPECT_FALSE(ctx.run.callerMarked);
}

TEST(ContextTest, ACopiedStateSharesNothingWithItsSource)
{
    ParseState state;
    state.intRegs(9).Push(1);
    state.values.push_back(Value(1));
    ParseState copy = state;
    copy.intRegs(9).SetTop(2);
    copy.intRegs(9).Push(3);
    copy.values.push_back(Value(2));
    EXPECT_EQ(state.intRegs(9).Count(), 1u);
    EXPECT_EQ(*state.intRegs(9).Top(), 1);
    EXPECT_EQ(state.values.size(), 1u);
    EXPECT_EQ(*copy.intRegs(9).Top(1), 2);
}

TEST(ContextTest, ParseMarkRestoresPositionValuesRegistersAndRetry)
{
    ParseContext ctx("abcdef");
    ctx.state.pos = 1;
    ctx.AddValue(Value(1));
    ParseMark mark = ctx.Mark();
    ctx.Advance(3);
    ctx.AddValue(Value("x"));
    ctx.state.intRegs(9).Push(5);
    ctx.state.retry = false;
    ctx.Restore(mark);
    EXPECT_EQ(ctx.state.pos, 1);
    ASSERT_EQ(ctx.state.values.size(), 1u);
    EXPECT_EQ(ctx.state.values[0], Value(1));
    EXPECT_TRUE(ctx.state.intRegs(9).Empty());
    EXPECT_TRUE(ctx.state.retry);
}

TEST(ContextTest, TheInputViewRefusesTemporaryStrings)
{
    // A view of a temporary would dangle at once (the decoder's retry over the
    // tails of a row must write std::string_view(row).substr(k)).
    static_assert(!std::is_assignable_v<InputView&, std::string>);
    static_assert(!std::is_constructible_v<ParseContext, std::string>);
    static_assert(std::is_assignable_v<InputView&, const std::string&>);
    static_assert(std::is_assignable_v<InputView&, std::string_view>);
    static_assert(std::is_assignable_v<InputView&, const char*>);

    const std::string row = "junk\x01\x02";
    ParseContext ctx(row);
    EXPECT_EQ(ctx.input.size(), row.size());
    ctx.input = std::string_view(row).substr(4);
    EXPECT_EQ(ctx.input, "\x01\x02");
    EXPECT_EQ(ctx.Remaining(), 2u);
}

TEST(ContextTest, ParseReadersNeverLeaveTheInput)
{
    ParseContext ctx("ab");
    EXPECT_TRUE(ctx.Has(2));
    EXPECT_FALSE(ctx.Has(3));
    EXPECT_EQ(ctx.ByteAt(1), unsigned('b'));
    ctx.state.pos = 3;  // an action may leave pos anywhere; readers see nothing there
    EXPECT_FALSE(ctx.PosValid());
    EXPECT_EQ(ctx.Remaining(), 0u);
    EXPECT_FALSE(ctx.Has(0));
    EXPECT_EQ(ctx.Rest(), "");
    ctx.state.pos = -1;
    EXPECT_FALSE(ctx.Has(0));
}

TEST(ContextTest, ComposeMarkCutsOutputAndDropsLaterEscapes)
{
    ComposeContext ctx(ValueList{Value(1), Value(2)});
    ctx.WriteEscape("\\0A");
    ComposeMark mark = ctx.Mark();
    EXPECT_EQ(*ctx.TakeValue(), Value(1));
    ctx.Write("xy");
    ctx.WriteEscape("\\0D");
    ctx.WriteByte(0x141);  // only the low byte is written
    EXPECT_EQ(ctx.state.output, "\\0Axy\\0D\x41");
    ctx.Restore(mark);
    EXPECT_EQ(ctx.state.next, 0);
    EXPECT_EQ(ctx.state.output, "\\0A");
    EXPECT_EQ(ctx.state.escapes, std::vector<std::size_t>{0});
    EXPECT_NE(ctx.TakeValue(), nullptr);
    EXPECT_NE(ctx.TakeValue(), nullptr);
    EXPECT_EQ(ctx.TakeValue(), nullptr);
    EXPECT_EQ(ctx.state.next, 2);
}

}  // namespace
}  // namespace baudrill
