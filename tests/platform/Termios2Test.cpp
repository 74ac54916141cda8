// Includes the kernel's termbits to check the flags themselves; never <termios.h>.
#include "platform/Termios2.h"

#include <asm/termbits.h>
#include <gtest/gtest.h>

#include "tests/support/NamedCase.h"

namespace baudrill::platform {
namespace {

struct RefusedCase : test::NamedCase {
    void (*spoil)(LineSettings&);
};

class RefusedSettings : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedSettings, AreNotConverted)
{
    LineSettings settings;
    GetParam().spoil(settings);
    TermiosImage image;
    image.cflag = 0x1234;
    EXPECT_FALSE(ToTermios(settings, image));
    EXPECT_EQ(image.cflag, 0x1234u);  // untouched
}

INSTANTIATE_TEST_SUITE_P(Cases, RefusedSettings,
                         ::testing::Values(RefusedCase{"RateZeroWouldHangUp", [](LineSettings& s) { s.baudRate = 0; }},
                                           RefusedCase{"NegativeRate", [](LineSettings& s) { s.baudRate = -9600; }},
                                           RefusedCase{"FourDataBits", [](LineSettings& s) { s.byteSize = 4; }},
                                           RefusedCase{"NineDataBits", [](LineSettings& s) { s.byteSize = 9; }},
                                           RefusedCase{"UnknownParity", [](LineSettings& s) { s.parity = 5; }},
                                           RefusedCase{"OneAndAHalfStopBits",
                                                       [](LineSettings& s) { s.stopBits = OneAndHalfStopBits; }},
                                           RefusedCase{"DsrFlowControl", [](LineSettings& s) { s.dsrOutFlow = true; }}),
                         test::CaseName<RefusedCase>);

TEST(Termios2Test, RawModeThatNeverWaits)
{
    TermiosImage t;
    ASSERT_TRUE(ToTermios(LineSettings{}, t));
    EXPECT_EQ(t.lflag, 0u);
    EXPECT_EQ(t.oflag, 0u);
    // A break is counted by the driver and reported as an error, never delivered as a NUL byte.
    EXPECT_EQ(t.iflag, static_cast<uint32_t>(IGNBRK));
    EXPECT_EQ(t.cflag & (CLOCAL | CREAD | HUPCL), CLOCAL | CREAD | HUPCL);
    EXPECT_EQ(t.cc[VMIN], 0);
    EXPECT_EQ(t.cc[VTIME], 0);
}

TEST(Termios2Test, ReadingBackKeepsWhatTermiosCannotHold)
{
    LineSettings s;
    s.baudRate = 250000;
    s.byteSize = 7;
    s.parity = ParityMark;
    s.stopBits = TwoStopBits;
    s.outX = s.inX = true;
    s.xonLimit = 3072;
    s.dtrControl = LineControl::Disable;
    TermiosImage t;
    ASSERT_TRUE(ToTermios(s, t));
    LineSettings base;
    base.dtrControl = LineControl::Disable;
    base.xonLimit = 3072;
    EXPECT_EQ(FromTermios(t, base), s);
}

TEST(Termios2Test, HandshakeReadsBackAsRtsHandshake)
{
    LineSettings s;
    s.ctsOutFlow = true;
    s.rtsControl = LineControl::Handshake;
    TermiosImage t;
    ASSERT_TRUE(ToTermios(s, t));
    EXPECT_EQ(FromTermios(t).rtsControl, LineControl::Handshake);
    t.cflag &= ~static_cast<uint32_t>(CRTSCTS);
    EXPECT_EQ(FromTermios(t, s).rtsControl, LineControl::Enable);
}

}  // namespace
}  // namespace baudrill::platform
