#include "platform/WriteBound.h"

#include <gtest/gtest.h>

#include "tests/support/NamedCase.h"

namespace baudrill::platform {
namespace {

struct BoundCase : test::NamedCase {
    int length;
    LineSettings line;
    WriteBoundPolicy policy;
    int expectedMs;
};

LineSettings Line(int baud, uint8_t bits, uint8_t parity, uint8_t stop, bool rtsCts = false, bool xonXoff = false)
{
    LineSettings line;
    line.baudRate = baud;
    line.byteSize = bits;
    line.parity = parity;
    line.stopBits = stop;
    line.ctsOutFlow = rtsCts;
    line.rtsControl = rtsCts ? LineControl::Handshake : LineControl::Enable;
    line.outX = line.inX = xonXoff;
    return line;
}

class WriteBoundRule : public ::testing::TestWithParam<BoundCase> {};

TEST_P(WriteBoundRule, IsTheLargerOfLengthAndMinimumPlusTwiceTheLineTime)
{
    const BoundCase& c = GetParam();
    EXPECT_EQ(WriteBoundMs(c.length, c.line, c.policy), c.expectedMs);
}

// 8N1 is 10 bits a character; line times are rounded up to whole milliseconds.
INSTANTIATE_TEST_SUITE_P(
    Cases, WriteBoundRule,
    ::testing::Values(
        BoundCase{"ShortBlockGetsTheMinimum", 10, Line(9600, 8, ParityNone, OneStopBit), {}, 300 + 2 * 11},
        BoundCase{"LongBlockOneMsPerByte", 2000, Line(9600, 8, ParityNone, OneStopBit), {}, 2000 + 2 * 2084},
        BoundCase{"EmptyBlock", 0, Line(9600, 8, ParityNone, OneStopBit), {}, 300},
        BoundCase{"ParityAndTwoStopBitsCount", 100, Line(1000, 8, ParityEven, TwoStopBits), {}, 300 + 2 * 1200},
        BoundCase{"RtsCtsAddsGrace", 10, Line(9600, 8, ParityNone, OneStopBit, true), {}, 10322},
        BoundCase{"XonXoffAddsGrace", 10, Line(9600, 8, ParityNone, OneStopBit, false, true), {}, 10322},
        BoundCase{"ShortenedForTests", 10, Line(115200, 8, ParityNone, OneStopBit, true), {50, 0, 0}, 50 + 2 * 1},
        BoundCase{"HugeBlockClamped", 0x7FFFFFFF, Line(1, 8, ParityNone, OneStopBit), {}, 0x7FFFFFFF}),
    test::CaseName<BoundCase>);

}  // namespace
}  // namespace baudrill::platform
