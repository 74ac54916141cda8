// A Modbus RTU exchange from rule text: the request composed with its CRC, the
// response parsed with a counted byte loop and a CRC check.

#include "tests/support/grammar/CompilerTestSupport.h"

#include <gtest/gtest.h>

namespace baudrill::test {

namespace {

constexpr const char* RequestRule = "crc_start byte byte word_be word_be crc_end crc_modbus";
constexpr const char* ResponseRule = "crc_start byte byte byte set_rep {rep byte} crc_end crc_modbus any any";

class ModbusRule : public ::testing::Test {
protected:
    void SetUp() override
    {
        request_ = CompileText(RequestRule);
        response_ = CompileText(ResponseRule);
        ASSERT_EQ(request_.consumed, static_cast<int>(std::string_view(RequestRule).size()));
        ASSERT_EQ(response_.consumed, static_cast<int>(std::string_view(ResponseRule).size()));
    }

    Compiled request_{};
    Compiled response_{};
};

TEST_F(ModbusRule, RequestComposesWithItsCrc)
{
    ComposeResult r = ComposeValues(*request_.article, {Value(1), Value(3), Value(0), Value(10)});
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(HexDump(r.output), "01 03 00 00 00 0A C5 CD");
    EXPECT_EQ(r.next, 4);
    // Parsing the request gives its values back and stops before the CRC bytes.
    ParseResult parsed = ParseText(*request_.article, r.output);
    ASSERT_TRUE(parsed.ok);
    EXPECT_EQ(parsed.pos, 6);
    EXPECT_EQ(parsed.values, (ValueList{Value(1), Value(3), Value(0), Value(10)}));
}

TEST_F(ModbusRule, ResponseParsesItsCountedBytesAndChecksTheCrc)
{
    const std::string frame = WithCrc(Bytes("01 03 04 00 0A 01 02"));
    ParseResult parsed = ParseText(*response_.article, frame);
    ASSERT_TRUE(parsed.ok);
    EXPECT_EQ(parsed.pos, 9);
    EXPECT_EQ(parsed.values,
              (ValueList{Value(1), Value(3), Value(4), Value(0x00), Value(0x0A), Value(0x01), Value(0x02)}));
}

TEST_F(ModbusRule, ResponseWithAWrongCrcIsRejected)
{
    std::string frame = WithCrc(Bytes("01 03 04 00 0A 01 02"));
    for (std::size_t at : {frame.size() - 1, frame.size() - 2, std::size_t{4}}) {
        std::string damaged = frame;
        damaged[at] = static_cast<char>(damaged[at] ^ 0x01);
        EXPECT_FALSE(ParseText(*response_.article, damaged).ok) << "byte " << at << " changed";
    }
    // A frame cut inside its data or its CRC does not match either.
    EXPECT_FALSE(ParseText(*response_.article, frame.substr(0, frame.size() - 1)).ok);
    EXPECT_FALSE(ParseText(*response_.article, frame.substr(0, 5)).ok);
}

TEST_F(ModbusRule, ResponseComposesWhatItParsed)
{
    const std::string frame = WithCrc(Bytes("11 03 06 AE 41 56 52 43 40"));
    ParseResult parsed = ParseText(*response_.article, frame);
    ASSERT_TRUE(parsed.ok);
    ComposeResult composed = ComposeValues(*response_.article, parsed.values);
    // Composing stops at "any", which only skips received bytes: the CRC is
    // written by "crc_modbus" and the rule's last two items cannot compose.
    EXPECT_FALSE(composed.ok);
    Compiled sender = CompileText("crc_start byte byte byte set_rep {rep byte} crc_end crc_modbus");
    composed = ComposeValues(*sender.article, parsed.values);
    ASSERT_TRUE(composed.ok);
    EXPECT_EQ(composed.output, frame);
}

}  // namespace

}  // namespace baudrill::test
