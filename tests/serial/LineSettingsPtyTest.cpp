// Line settings on a real POSIX device. A pseudo-terminal accepts every settings call but runs
// only 8 data bits without parity, quietly changing the bits of anything else: such settings
// must be refused and the line left as it was. Tools that read termios (stty) must see the rate
// the line runs at.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdio.h>

#include <cstring>
#include <regex>
#include <string>
#include <vector>

#include "platform/Termios2.h"
#include "serial/SerialPort.h"
#include "tests/support/PtyPair.h"
#include "tests/support/NamedCase.h"

namespace baudrill {
namespace {

class LineSettingsPtyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!pty.Ok())
            GTEST_SKIP() << "no pseudo-terminals here";
    }

    int OpenPort(const SerialSettings& settings) { return port.Open(pty.SlavePath().c_str(), &settings); }

    // The slave's termios as the line runs it; the master end reads it even while the port
    // holds the slave exclusively.
    platform::TermiosImage Line()
    {
        platform::TermiosImage image;
        EXPECT_TRUE(platform::ReadTermios(pty.MasterFd(), image));
        return image;
    }

    test::PtyPair pty;
    SerialPort port;
};

struct OpenCase : test::NamedCase {
    int wordLength;
    int parity;
    int stopBits;
    bool rtsCts;
    bool xonXoff;
    int result;
};

class PtyOpen : public LineSettingsPtyTest, public ::testing::WithParamInterface<OpenCase> {};

TEST_P(PtyOpen, OpensWhatTheLineRunsAndRefusesTheRestLeavingTheLineAsItWas)
{
    const OpenCase& c = GetParam();
    // Settings of an earlier session that the refused open must not disturb.
    SerialSettings earlier;
    earlier.baud = 57600;
    earlier.stopBits = 2;
    earlier.xonXoff = true;
    ASSERT_EQ(OpenPort(earlier), 0);
    port.Close();
    const platform::TermiosImage before = Line();

    SerialSettings settings;
    settings.baud = 19200;
    settings.wordLength = static_cast<uint8_t>(c.wordLength);
    settings.parity = c.parity;
    settings.stopBits = static_cast<uint8_t>(c.stopBits);
    settings.rtsCts = c.rtsCts;
    settings.xonXoff = c.xonXoff;
    EXPECT_EQ(OpenPort(settings), c.result);

    const platform::TermiosImage after = Line();
    if (c.result == 0) {
        platform::LineSettings runs = platform::FromTermios(after);
        EXPECT_EQ(runs.baudRate, 19200);
        EXPECT_EQ(runs.byteSize, 8);
        EXPECT_EQ(runs.parity, platform::ParityNone);
        EXPECT_EQ(runs.stopBits, c.stopBits == 2 ? platform::TwoStopBits : platform::OneStopBit);
        EXPECT_EQ(runs.ctsOutFlow, c.rtsCts);
        EXPECT_EQ(runs.inX, c.xonXoff);
    } else {
        EXPECT_TRUE(port.IsOpen());  // held until Close, as after every refused settings call
        EXPECT_EQ(after.cflag, before.cflag);
        EXPECT_EQ(after.iflag, before.iflag);
        EXPECT_EQ(after.ospeed, before.ospeed);
        EXPECT_EQ(std::memcmp(after.cc, before.cc, sizeof after.cc), 0);
    }
    port.Close();
}

INSTANTIATE_TEST_SUITE_P(Table, PtyOpen,
                         ::testing::Values(OpenCase{"EightNoneOneOpens", 8, 0, 1, false, false, 0},
                                           OpenCase{"EightNoneTwoWithRtsCtsOpens", 8, 0, 2, true, false, 0},
                                           OpenCase{"EightNoneOneWithXonXoffOpens", 8, 0, 1, false, true, 0},
                                           OpenCase{"SevenEvenOneIsRefused", 7, 2, 1, false, false, -2},
                                           OpenCase{"EightOddOneIsRefused", 8, 1, 1, false, false, -2},
                                           OpenCase{"EightMarkOneIsRefused", 8, 3, 1, false, false, -2},
                                           OpenCase{"EightSpaceOneIsRefused", 8, 4, 1, false, false, -2},
                                           OpenCase{"FiveNoneOneIsRefused", 5, 0, 1, false, false, -2},
                                           OpenCase{"SixNoneTwoWithRtsCtsIsRefused", 6, 0, 2, true, false, -2}),
                         test::CaseName<OpenCase>);

// What `stty -F` prints as the line's speed: "speed N baud".
std::string SttySpeed(const std::string& path)
{
    std::string command = "stty -F '" + path + "' 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return "no stty";
    std::string output;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe))
        output += buffer;
    pclose(pipe);
    std::smatch match;
    if (!std::regex_search(output, match, std::regex("speed ([0-9]+) baud")))
        return output;
    return match[1];
}

struct SttyCase : test::NamedCase {
    int baud;
    bool viaRateChange;
    std::vector<std::string> shown;  // what stty may print
};

class SttyView : public LineSettingsPtyTest, public ::testing::WithParamInterface<SttyCase> {};

// stty opens the line itself, which the port's exclusive hold would refuse to a user who is not
// root: it looks after the port has closed it, as the line keeps its settings.
TEST_P(SttyView, ShowsTheRateTheLineRuns)
{
    const SttyCase& c = GetParam();
    SerialSettings settings;
    settings.baud = c.viaRateChange ? 9600 : c.baud;
    ASSERT_EQ(OpenPort(settings), 0);
    if (c.viaRateChange) {
        ASSERT_EQ(port.SetAnyBaud(c.baud), 0);
    }
    port.Close();
    EXPECT_THAT(c.shown, ::testing::Contains(SttySpeed(pty.SlavePath())));
}

INSTANTIATE_TEST_SUITE_P(Table, SttyView,
                         ::testing::Values(SttyCase{"StandardRateAtOpen", 115200, false, {"115200"}},
                                           SttyCase{"StandardRateByARateChange", 57600, true, {"57600"}},
                                           // A rate without a code of its own: a C library that knows only the codes
                                           // (Debian 12's) shows 0, a newer one the rate; never another rate.
                                           SttyCase{"NonStandardRate", 250000, false, {"250000", "0"}}),
                         test::CaseName<SttyCase>);

}  // namespace
}  // namespace baudrill
