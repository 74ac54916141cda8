// CRC-16/MODBUS: the function, the bound and checksum actions on a context,
// and checksummed frames in rules.

#include "tests/support/grammar/ActionTestSupport.h"
#include "tests/support/grammar/GrammarTestSupport.h"

#include "grammar/actions/ActionRegisters.h"
#include "grammar/actions/ChecksumActions.h"
#include "grammar/actions/Crc16Modbus.h"

namespace baudrill {
namespace {

using test::Bytes;
using test::HexDump;
using test::ReferenceCrc;
using test::RuleBuilder;
using test::WithCrc;

std::uint16_t Crc(std::string_view bytes)
{
    return Crc16Modbus(bytes.data(), static_cast<std::ptrdiff_t>(bytes.size()));
}

TEST(Crc16ModbusTest, KnownSums)
{
    struct Case {
        const char* name;
        std::string bytes;
        std::uint16_t sum;
    };
    const Case cases[] = {
        {"check value", "123456789", 0x4B37},
        {"empty", "", 0xFFFF},
        {"read 10 holding registers", Bytes("01 03 00 00 00 0A"), 0xCDC5},
        {"read 1 holding register", Bytes("01 03 00 00 00 01"), 0x0A84},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Crc(c.bytes), c.sum) << c.name;
    EXPECT_EQ(Crc16Modbus("abc", -1), 0xFFFF);
}

TEST(Crc16ModbusTest, TablesAgreeWithTheBitwiseSumAndAFramePlusItsSumIsZero)
{
    std::string all;
    for (int b = 0; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        ASSERT_EQ(Crc(one), ReferenceCrc(one)) << b;
        all += one;
    }
    EXPECT_EQ(Crc(all), ReferenceCrc(all));
    // Every length from every offset: the sum takes eight bytes at a time, then the rest one by one.
    for (std::size_t from = 0; from < 8; ++from)
        for (std::size_t length = 0; length <= 40; ++length) {
            const std::string_view part = std::string_view(all).substr(200 - 5 * from, length);
            ASSERT_EQ(Crc(part), ReferenceCrc(part)) << "offset " << from << ", length " << length;
        }
    EXPECT_EQ(Crc(WithCrc(Bytes("01 03 00 00 00 0A"))), 0);
    EXPECT_EQ(Crc(WithCrc(all)), 0);
}

TEST(ChecksumActions, BoundsInParse)
{
    ParseContext ctx("abc");
    EXPECT_FALSE(ParseCrcEnd(ctx, Value(0)));  // nothing consumed yet
    ASSERT_TRUE(ParseCrcStart(ctx, Value(0)));
    ctx.Advance(2);
    ASSERT_TRUE(ParseCrcEnd(ctx, Value(0)));
    const auto bounds = ctx.state.intRegs(ChecksumByteBounds);
    ASSERT_EQ(bounds.Count(), 2u);
    EXPECT_EQ(*bounds.Top(1), 0);
    EXPECT_EQ(*bounds.Top(0), 1);  // the last byte consumed
    EXPECT_TRUE(ctx.state.intRegs(ChecksumValueBounds).Empty());
    EXPECT_EQ(ctx.state.pos, 2);
}

TEST(ChecksumActions, BoundsInCompose)
{
    ComposeContext ctx(ValueList{Value(1), Value(2)});
    EXPECT_FALSE(ComposeCrcEnd(ctx, Value(0)));  // nothing written yet
    ctx.Write("xy");
    ASSERT_TRUE(ComposeCrcStart(ctx, Value(0)));
    ctx.TakeValue();
    ctx.Write("z");
    ASSERT_TRUE(ComposeCrcEnd(ctx, Value(0)));
    const auto bytes = ctx.state.intRegs(ChecksumByteBounds);
    const auto values = ctx.state.intRegs(ChecksumValueBounds);
    ASSERT_EQ(bytes.Count(), 2u);
    EXPECT_EQ(*bytes.Top(1), 2);
    EXPECT_EQ(*bytes.Top(0), 2);
    ASSERT_EQ(values.Count(), 2u);
    EXPECT_EQ(*values.Top(1), 0);
    EXPECT_EQ(*values.Top(0), 1);
    EXPECT_EQ(ctx.state.output, "xyz");
}

TEST(ChecksumActions, CrcModbusChecksItsBounds)
{
    struct Case {
        const char* name;
        std::vector<std::int32_t> bounds;  // start, end (the top) and below
        bool parseOk;
        bool composeOk;
    };
    // Input and output are both "AB" followed by the sum of "AB".
    const Case cases[] = {
        {"no bounds", {}, false, false},
        {"one bound", {1}, false, false},
        {"the range AB", {0, 1}, true, true},
        {"the top two are used", {5, 0, 1}, true, true},
        {"end below start: parse sums nothing", {1, 0}, false, false},
        {"start below 0", {-1, 1}, false, false},
        {"end past the bytes", {0, 9}, false, false},
    };
    const std::string frame = WithCrc("AB");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ParseContext parse(frame);
        parse.state.pos = 2;
        ComposeContext compose;
        compose.Write("AB");
        for (std::int32_t b : c.bounds) {
            parse.state.intRegs(ChecksumByteBounds).Push(b);
            compose.state.intRegs(ChecksumByteBounds).Push(b);
        }
        EXPECT_EQ(ParseCrcModbus(parse, Value(0)), c.parseOk);
        EXPECT_EQ(parse.state.pos, 2);  // the sum bytes stay in the input
        EXPECT_EQ(ComposeCrcModbus(compose, Value(0)), c.composeOk);
        if (c.composeOk) {
            EXPECT_EQ(HexDump(compose.state.output), HexDump(frame));
        }
    }
}

TEST(ChecksumActions, ParseCrcModbusOfTheEmptyRangeIsFFFF)
{
    // One byte read, then the bounds start 1, end 0: nothing is summed.
    auto run = [](const std::string& bytes) {
        ParseContext ctx(bytes);
        ctx.state.pos = 1;
        ctx.state.intRegs(ChecksumByteBounds).Push(1);
        ctx.state.intRegs(ChecksumByteBounds).Push(0);
        return ParseCrcModbus(ctx, Value(0));
    };
    EXPECT_TRUE(run(Bytes("05 FF FF")));
    EXPECT_FALSE(run(Bytes("05 FF 00")));
    EXPECT_FALSE(run(Bytes("05 FF")));  // fewer than two bytes to compare with
}

TEST(ChecksumActions, ComposeCrcWakeChecksTheValuesBetweenItsBounds)
{
    struct Case {
        const char* name;
        ValueList values;
        std::vector<std::int32_t> bounds;  // lower, upper (the top)
        bool ok;
    };
    const Case cases[] = {
        {"ints", {Value(1), Value(2), Value(3)}, {0, 2}, true},
        {"a double inside", {Value(1), Value(2.0), Value(3)}, {0, 2}, false},
        {"upper past the values", {Value(1)}, {0, 1}, false},
        {"lower above upper holds no value", {Value("s"), Value("t")}, {1, 0}, true},
        {"negative", {Value(1)}, {-1, 0}, false},
        {"one bound", {Value(1)}, {0}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ComposeContext ctx(c.values);
        for (std::int32_t b : c.bounds)
            ctx.state.intRegs(ChecksumValueBounds).Push(b);
        EXPECT_EQ(ComposeCrcWake(ctx, Value(0)), c.ok);
        EXPECT_EQ(ctx.state.intRegs(ChecksumValueBounds).Count(), c.bounds.size());  // nothing removed
        EXPECT_TRUE(ctx.state.output.empty());
    }
    ParseContext parse("");
    EXPECT_TRUE(ParseCrcWake(parse, Value(0)));
    EXPECT_EQ(parse.state.registers.UndoHeight(), 0u);
}

class ChecksumRules : public ::testing::Test {
protected:
    void SetUp() override { test::RegisterValueActions(); }

    // crc_start byte byte word_be word_be crc_end crc_modbus
    void ReadRegisters(RuleBuilder& r)
    {
        r.Code("crc_start").Code("byte").Code("byte").Code("word_be").Code("word_be").Code("crc_end");
        r.Code("crc_modbus");
    }
};

TEST_F(ChecksumRules, ComposeAppendsTheSum)
{
    BNFarticle a;
    RuleBuilder r(a);
    ReadRegisters(r);
    test::ComposeResult c = test::ComposeValues(a, {Value(1), Value(3), Value(0), Value(1)});
    EXPECT_TRUE(c.ok);
    EXPECT_EQ(HexDump(c.output), "01 03 00 00 00 01 84 0A");
    c = test::ComposeValues(a, {Value(1), Value(3), Value(0), Value(10)});
    EXPECT_EQ(HexDump(c.output), "01 03 00 00 00 0A C5 CD");
}

TEST_F(ChecksumRules, ParseComparesTheSumAndLeavesItInTheInput)
{
    BNFarticle withAny;
    RuleBuilder r(withAny);
    ReadRegisters(r);
    r.Code("any").Code("any");
    test::ParseResult p = test::ParseText(withAny, Bytes("01 03 00 00 00 01 84 0A"));
    EXPECT_TRUE(p.ok);
    EXPECT_EQ(p.pos, 8);
    EXPECT_EQ(p.values, (ValueList{Value(1), Value(3), Value(0), Value(1)}));
    EXPECT_FALSE(test::ParseText(withAny, Bytes("01 03 00 00 00 01 84 0B")).ok);

    BNFarticle withoutAny;
    RuleBuilder s(withoutAny);
    ReadRegisters(s);
    p = test::ParseText(withoutAny, Bytes("01 03 00 00 00 01 84 0A"));
    EXPECT_TRUE(p.ok);
    EXPECT_EQ(p.pos, 6);
}

TEST_F(ChecksumRules, StartDirectlyFollowedByEnd)
{
    // byte crc_start crc_end crc_modbus
    BNFarticle a;
    RuleBuilder(a).Code("byte").Code("crc_start").Code("crc_end").Code("crc_modbus");
    EXPECT_FALSE(test::ComposeValues(a, {Value(5)}).ok);  // start above end
    test::ParseResult p = test::ParseText(a, Bytes("05 FF FF"));
    EXPECT_TRUE(p.ok);
    EXPECT_EQ(p.pos, 1);
    EXPECT_FALSE(test::ParseText(a, Bytes("05 FF FE")).ok);

    BNFarticle endFirst;
    RuleBuilder(endFirst).Code("crc_end");
    EXPECT_FALSE(test::ParseText(endFirst, Bytes("05")).ok);
    EXPECT_FALSE(test::ComposeValues(endFirst, {Value(5)}).ok);
}

TEST_F(ChecksumRules, CrcWakeNeedsTheValueAfterTheRange)
{
    // crc_start byte crc_end crc_wake
    BNFarticle a;
    RuleBuilder(a).Code("crc_start").Code("byte").Code("crc_end").Code("crc_wake");
    EXPECT_FALSE(test::ComposeValues(a, {Value(5)}).ok);
    EXPECT_FALSE(test::ComposeValues(a, {Value(5), Value(6.0)}).ok);
    test::ComposeResult c = test::ComposeValues(a, {Value(5), Value(6)});
    EXPECT_TRUE(c.ok);
    EXPECT_EQ(HexDump(c.output), "05");
    EXPECT_EQ(c.next, 1);
    EXPECT_TRUE(test::ParseText(a, Bytes("05")).ok);
}

TEST_F(ChecksumRules, BoundsPoppedOnAnAbandonedPathAreBack)
{
    // crc_start byte crc_end (crc_modbus "X" | crc_modbus) any any: the first
    // branch pops both bounds and then fails; the second needs them again.
    BNFarticle parseRule;
    RuleBuilder p(parseRule);
    p.Code("crc_start").Code("byte").Code("crc_end");
    p.Group([&] { p.Code("crc_modbus").T("X").Or([&] { p.Code("crc_modbus"); }); });
    p.Code("any").Code("any");
    const std::string frame = WithCrc(Bytes("05"));
    ASSERT_NE(frame[1], 'X');
    test::ParseResult parsed = test::ParseText(parseRule, frame);
    EXPECT_TRUE(parsed.ok);
    EXPECT_EQ(parsed.pos, 3);

    // crc_start byte crc_end (crc_modbus arg:1 | crc_modbus): the first
    // branch writes a sum, then finds no value for "arg".
    BNFarticle composeRule;
    RuleBuilder c(composeRule);
    c.Code("crc_start").Code("byte").Code("crc_end");
    c.Group([&] { c.Code("crc_modbus").Code("arg", Value(1)).Or([&] { c.Code("crc_modbus"); }); });
    test::ComposeResult composed = test::ComposeValues(composeRule, {Value(5)});
    EXPECT_TRUE(composed.ok);
    EXPECT_EQ(HexDump(composed.output), HexDump(frame));
}

}  // namespace
}  // namespace baudrill
