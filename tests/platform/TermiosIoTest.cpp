// Includes the kernel's termbits to spoil flags as drivers do; never <termios.h>.
#include "platform/TermiosIo.h"

#include <asm/termbits.h>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "tests/support/NamedCase.h"

namespace baudrill::platform {
namespace {

struct RateCase : test::NamedCase {
    uint32_t requested;
    uint32_t effective;
    bool honoured;
};

class RateReadBack : public ::testing::TestWithParam<RateCase> {};

TEST_P(RateReadBack, IsTheRequestedRateWithinRounding)
{
    EXPECT_EQ(RateHonoured(GetParam().requested, GetParam().effective), GetParam().honoured);
}

INSTANTIATE_TEST_SUITE_P(
    Table, RateReadBack,
    ::testing::Values(RateCase{"Exact", 250000, 250000, true}, RateCase{"RoundedToADivisor", 921600, 923077, true},
                      RateCase{"ThreePercentAbove", 100000, 103000, true},
                      RateCase{"ThreePercentBelow", 100000, 97000, true},
                      RateCase{"JustPastThreePercent", 100000, 103001, false},
                      RateCase{"FellBackTo9600", 1000, 9600, false}, RateCase{"KeptTheOldRate", 250000, 38400, false},
                      RateCase{"NearestOfAShortList", 1000, 1200, false}, RateCase{"NoRateAtAll", 0, 0, false}),
    test::CaseName<RateCase>);

// A driver's termios2 record: it makes of a written rate what `makes` says, and of the other
// fields what `alter` does, as the driver would write them back.
class ScriptedDriver final : public TermiosIo {
public:
    explicit ScriptedDriver(std::function<uint32_t(uint32_t)> makes) : makes_(std::move(makes))
    {
        current.ospeed = current.ispeed = 38400;
        current.cflag = 0x1234;
    }

    bool Read(TermiosImage& out) override
    {
        if (failReads > 0 && --failReads == 0)
            return false;
        out = current;
        return true;
    }
    bool Write(const TermiosImage& image) override
    {
        writes.push_back(image);
        if (failWrite)
            return false;
        current = image;
        current.ospeed = current.ispeed = makes_(image.ospeed);
        if (alter)
            alter(current);
        return true;
    }

    TermiosImage current;
    std::vector<TermiosImage> writes;
    std::function<void(TermiosImage&)> alter;
    int failReads = 0;  // the read with this number (from 1) fails
    bool failWrite = false;

private:
    std::function<uint32_t(uint32_t)> makes_;
};

TermiosImage Wanted(uint32_t rate)
{
    TermiosImage image;
    image.cflag = 0x5678;
    image.ospeed = image.ispeed = rate;
    return image;
}

TEST(ApplyTermiosTest, TakesARateTheDriverMakesOrRounds)
{
    ScriptedDriver driver([](uint32_t rate) { return rate == 921600 ? 923077u : rate; });
    EXPECT_TRUE(ApplyTermios(driver, Wanted(250000)));
    EXPECT_EQ(driver.current.ospeed, 250000u);
    EXPECT_TRUE(ApplyTermios(driver, Wanted(921600)));
    EXPECT_EQ(driver.current.ospeed, 923077u);
    EXPECT_EQ(driver.writes.size(), 2u);
}

TEST(ApplyTermiosTest, SubstitutedRatePutsThePreviousSettingsBack)
{
    // A UART that falls back to 9600 for a rate below its range.
    ScriptedDriver driver([](uint32_t rate) { return rate < 1200 ? 9600u : rate; });
    EXPECT_FALSE(ApplyTermios(driver, Wanted(1000)));
    EXPECT_EQ(driver.current.ospeed, 38400u);
    EXPECT_EQ(driver.current.cflag, 0x1234u);
    ASSERT_EQ(driver.writes.size(), 2u);
}

TEST(ApplyTermiosTest, FailedWriteOrReadBackPutsThePreviousSettingsBack)
{
    ScriptedDriver refusing([](uint32_t rate) { return rate; });
    refusing.failWrite = true;
    EXPECT_FALSE(ApplyTermios(refusing, Wanted(1000)));
    ASSERT_EQ(refusing.writes.size(), 2u);
    EXPECT_EQ(refusing.writes.back().cflag, 0x1234u);

    ScriptedDriver unreadable([](uint32_t rate) { return rate; });
    unreadable.failReads = 2;
    EXPECT_FALSE(ApplyTermios(unreadable, Wanted(1000)));
    EXPECT_EQ(unreadable.current.cflag, 0x1234u);

    ScriptedDriver unknown([](uint32_t rate) { return rate; });
    unknown.failReads = 1;
    EXPECT_FALSE(ApplyTermios(unknown, Wanted(1000)));
    EXPECT_TRUE(unknown.writes.empty());  // nothing to put back: nothing written
}

// What a driver silently makes of settings it lacks (a pty runs 8 data bits without parity and
// leaves CMSPAR and PARODD standing), and what it may change without harm.
struct AlterCase : test::NamedCase {
    void (*want)(LineSettings&);
    void (*alter)(TermiosImage&);
    bool taken;
};

class DriverAltersSettings : public ::testing::TestWithParam<AlterCase> {};

TEST_P(DriverAltersSettings, AnyDifferenceInTheLineRefusesThemAndPutsThePreviousBack)
{
    const AlterCase& c = GetParam();
    LineSettings settings;
    c.want(settings);
    TermiosImage wanted;
    ASSERT_TRUE(ToTermios(settings, wanted));
    ScriptedDriver driver([](uint32_t rate) { return rate == 921600 ? 923077u : rate; });
    driver.alter = c.alter;
    const TermiosImage previous = driver.current;
    EXPECT_EQ(ApplyTermios(driver, wanted), c.taken);
    if (!c.taken) {
        EXPECT_EQ(driver.current.cflag, previous.cflag);
        EXPECT_EQ(driver.current.iflag, previous.iflag);
        EXPECT_EQ(driver.current.ospeed, previous.ospeed);
    }
}

void Clear(TermiosImage& t, uint32_t cflag) { t.cflag &= ~cflag; }

INSTANTIATE_TEST_SUITE_P(
    Table, DriverAltersSettings,
    ::testing::Values(AlterCase{"SevenDataBitsForcedToEight", [](LineSettings& s) { s.byteSize = 7; },
                                [](TermiosImage& t) { t.cflag = (t.cflag & ~CSIZE) | CS8; }, false},
                      AlterCase{"EvenParityCleared", [](LineSettings& s) { s.parity = ParityEven; },
                                [](TermiosImage& t) { Clear(t, PARENB); }, false},
                      AlterCase{"MarkParityWithoutItsEnable", [](LineSettings& s) { s.parity = ParityMark; },
                                [](TermiosImage& t) { Clear(t, PARENB); }, false},
                      AlterCase{"MarkParityTurnedOdd", [](LineSettings& s) { s.parity = ParityMark; },
                                [](TermiosImage& t) { Clear(t, CMSPAR); }, false},
                      AlterCase{"TwoStopBitsDropped", [](LineSettings& s) { s.stopBits = TwoStopBits; },
                                [](TermiosImage& t) { Clear(t, CSTOPB); }, false},
                      AlterCase{"RtsCtsDropped", [](LineSettings& s) { s.ctsOutFlow = true; },
                                [](TermiosImage& t) { Clear(t, CRTSCTS); }, false},
                      AlterCase{"XoffOnInputDropped", [](LineSettings& s) { s.outX = s.inX = true; },
                                [](TermiosImage& t) { t.iflag &= ~static_cast<uint32_t>(IXOFF); }, false},
                      AlterCase{"OtherFlagsMayChange", [](LineSettings&) {},
                                [](TermiosImage& t) {
                                    Clear(t, HUPCL);
                                    t.cc[VTIME] = 1;
                                },
                                true},
                      // A driver that runs the rate a little off writes it back as BOTHER with its speed.
                      AlterCase{"RateCodeWrittenBackAsItsRoundedSpeed", [](LineSettings& s) { s.baudRate = 921600; },
                                [](TermiosImage& t) { t.cflag = (t.cflag & ~CBAUD) | BOTHER; }, true}),
    test::CaseName<AlterCase>);

}  // namespace
}  // namespace baudrill::platform
