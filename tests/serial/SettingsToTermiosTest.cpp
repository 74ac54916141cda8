// The settings record as the driver gets it: SerialSettings -> line settings -> termios2, checked
// on the kernel's own flags. Includes the kernel's termbits, never <termios.h>.
#include <asm/termbits.h>
#include <gtest/gtest.h>

#include "platform/Termios2.h"
#include "serial/LineSettingsFor.h"
#include "tests/support/NamedCase.h"

namespace baudrill {
namespace {

struct TermiosCase : test::NamedCase {
    int baud;
    uint32_t rateCode;  // CBAUD bits
    int wordLength;
    int parity;
    int stopBits;
    bool rtsCts;
    bool xonXoff;
    uint32_t size;        // CSIZE bits
    uint32_t parityBits;  // PARENB | PARODD | CMSPAR
    bool twoStop;
};

class SettingsToTermios : public ::testing::TestWithParam<TermiosCase> {};

TEST_P(SettingsToTermios, SetsRateWordParityStopAndFlow)
{
    const TermiosCase& c = GetParam();
    SerialSettings s;
    s.baud = c.baud;
    s.wordLength = static_cast<uint8_t>(c.wordLength);
    s.parity = c.parity;
    s.stopBits = static_cast<uint8_t>(c.stopBits);
    s.rtsCts = c.rtsCts;
    s.xonXoff = c.xonXoff;

    platform::TermiosImage t;
    ASSERT_TRUE(platform::ToTermios(LineSettingsFor(s), t));
    EXPECT_EQ(t.cflag & CBAUD, c.rateCode);
    EXPECT_EQ(t.ospeed, static_cast<uint32_t>(c.baud));
    EXPECT_EQ(t.ispeed, static_cast<uint32_t>(c.baud));
    EXPECT_EQ(t.cflag & CSIZE, c.size);
    EXPECT_EQ(t.cflag & (PARENB | PARODD | CMSPAR), c.parityBits);
    EXPECT_EQ((t.cflag & CSTOPB) != 0, c.twoStop);
    EXPECT_EQ((t.cflag & CRTSCTS) != 0, c.rtsCts);
    EXPECT_EQ((t.iflag & IXON) != 0, c.xonXoff);
    EXPECT_EQ((t.iflag & IXOFF) != 0, c.xonXoff);
    EXPECT_EQ(t.iflag & INPCK, 0u);   // parity checking off
    EXPECT_NE(t.iflag & IGNBRK, 0u);  // a break is an error count, not a NUL data byte
    EXPECT_EQ(t.cc[VSTART], 0x11);
    EXPECT_EQ(t.cc[VSTOP], 0x13);
    EXPECT_EQ(t.cflag & (CLOCAL | CREAD), static_cast<uint32_t>(CLOCAL | CREAD));
    EXPECT_EQ(t.lflag, 0u);
    EXPECT_EQ(t.oflag, 0u);
}

constexpr uint32_t NoParity = 0;
constexpr uint32_t Odd = PARENB | PARODD;
constexpr uint32_t Even = PARENB;
constexpr uint32_t Mark = PARENB | CMSPAR | PARODD;
constexpr uint32_t Space = PARENB | CMSPAR;

INSTANTIATE_TEST_SUITE_P(
    Table, SettingsToTermios,
    ::testing::Values(TermiosCase{"Rate1000NonStandard", 1000, BOTHER, 8, 0, 1, false, false, CS8, NoParity, false},
                      TermiosCase{"Rate9600", 9600, B9600, 8, 0, 1, false, false, CS8, NoParity, false},
                      TermiosCase{"Rate921600", 921600, B921600, 8, 0, 1, false, false, CS8, NoParity, false},
                      // A rate with a code of its own goes through it, so that stty and the like read it;
                      // any other through BOTHER and the speed fields.
                      TermiosCase{"Rate500000HasItsCode", 500000, B500000, 8, 0, 1, false, false, CS8, NoParity, false},
                      TermiosCase{"Rate250000NonStandard", 250000, BOTHER, 8, 0, 1, false, false, CS8, NoParity, false},
                      TermiosCase{"FiveBits", 9600, B9600, 5, 0, 1, false, false, CS5, NoParity, false},
                      TermiosCase{"SixBits", 9600, B9600, 6, 0, 1, false, false, CS6, NoParity, false},
                      TermiosCase{"SevenBits", 9600, B9600, 7, 0, 1, false, false, CS7, NoParity, false},
                      TermiosCase{"ParityOdd", 9600, B9600, 8, 1, 1, false, false, CS8, Odd, false},
                      TermiosCase{"ParityEven", 9600, B9600, 7, 2, 1, false, false, CS7, Even, false},
                      TermiosCase{"ParityMark", 9600, B9600, 8, 3, 1, false, false, CS8, Mark, false},
                      TermiosCase{"ParitySpace", 9600, B9600, 8, 4, 1, false, false, CS8, Space, false},
                      // Parity codes outside 0-4 open with no parity.
                      TermiosCase{"ParitySevenIsNone", 9600, B9600, 8, 7, 1, false, false, CS8, NoParity, false},
                      TermiosCase{"TwoStopBits", 9600, B9600, 8, 0, 2, false, false, CS8, NoParity, true},
                      // 3 is the user's "1.5": one stop bit, like every value but 2.
                      TermiosCase{"StopBitsThreeIsOne", 9600, B9600, 8, 0, 3, false, false, CS8, NoParity, false},
                      TermiosCase{"RtsCts", 115200, B115200, 8, 0, 1, true, false, CS8, NoParity, false},
                      TermiosCase{"XonXoff", 115200, B115200, 8, 0, 1, false, true, CS8, NoParity, false},
                      TermiosCase{"BothFlows", 115200, B115200, 8, 2, 2, true, true, CS8, Even, true}),
    test::CaseName<TermiosCase>);

TEST(LineSettingsForTest, AssertsDtrAndRtsOrHandsRtsToTheHandshake)
{
    SerialSettings s;
    platform::LineSettings plain = LineSettingsFor(s);
    EXPECT_EQ(plain.dtrControl, platform::LineControl::Enable);
    EXPECT_EQ(plain.rtsControl, platform::LineControl::Enable);
    EXPECT_EQ(plain.xonLimit, 3072);
    EXPECT_EQ(plain.xoffLimit, 3072);
    s.rtsCts = true;
    platform::LineSettings handshake = LineSettingsFor(s);
    EXPECT_EQ(handshake.rtsControl, platform::LineControl::Handshake);
    EXPECT_TRUE(handshake.ctsOutFlow);
    EXPECT_EQ(handshake.dtrControl, platform::LineControl::Enable);
}

// The record numbers stop bits 1, 2 and 3 (one and a half), unlike the platform's line-settings
// codes, and only two opens the line with two.
TEST(LineSettingsForTest, StopBitValuesAreTheRecordsOwnNumbers)
{
    EXPECT_EQ(StopBitsOne, 1);
    EXPECT_EQ(StopBitsTwo, 2);
    EXPECT_EQ(StopBitsOneAndHalf, 3);
    SerialSettings s;
    EXPECT_EQ(s.stopBits, StopBitsOne);
    s.stopBits = StopBitsOneAndHalf;
    EXPECT_EQ(LineSettingsFor(s).stopBits, platform::OneStopBit);
    s.stopBits = StopBitsTwo;
    EXPECT_EQ(LineSettingsFor(s).stopBits, platform::TwoStopBits);
}

}  // namespace
}  // namespace baudrill
