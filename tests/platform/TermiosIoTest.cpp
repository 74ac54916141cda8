#include "platform/TermiosIo.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace baudrill::platform {
namespace {

struct RateCase {
    const char* name;
    uint32_t requested;
    uint32_t effective;
    bool honoured;
    friend void PrintTo(const RateCase& c, std::ostream* os) { *os << c.name; }
};

class RateReadBack : public ::testing::TestWithParam<RateCase> {};

TEST_P(RateReadBack, IsTheRequestedRateWithinRounding) {
    EXPECT_EQ(RateHonoured(GetParam().requested, GetParam().effective), GetParam().honoured);
}

INSTANTIATE_TEST_SUITE_P(
    Table, RateReadBack,
    ::testing::Values(RateCase{"Exact", 250000, 250000, true},
                      RateCase{"RoundedToADivisor", 921600, 923077, true},
                      RateCase{"ThreePercentAbove", 100000, 103000, true},
                      RateCase{"ThreePercentBelow", 100000, 97000, true},
                      RateCase{"JustPastThreePercent", 100000, 103001, false},
                      RateCase{"FellBackTo9600", 1000, 9600, false},
                      RateCase{"KeptTheOldRate", 250000, 38400, false},
                      RateCase{"NearestOfAShortList", 1000, 1200, false},
                      RateCase{"NoRateAtAll", 0, 0, false}),
    [](const auto& info) { return std::string(info.param.name); });

// A driver's termios2 record: it makes of a written rate what `makes` says, as the driver would
// write it back.
class ScriptedDriver final : public TermiosIo {
public:
    explicit ScriptedDriver(std::function<uint32_t(uint32_t)> makes) : makes_(std::move(makes)) {
        current.ospeed = current.ispeed = 38400;
        current.cflag = 0x1234;
    }

    bool Read(TermiosImage& out) override {
        if (failReads > 0 && --failReads == 0) return false;
        out = current;
        return true;
    }
    bool Write(const TermiosImage& image) override {
        writes.push_back(image);
        if (failWrite) return false;
        current = image;
        current.ospeed = current.ispeed = makes_(image.ospeed);
        return true;
    }

    TermiosImage current;
    std::vector<TermiosImage> writes;
    int failReads = 0;  // the read with this number (from 1) fails
    bool failWrite = false;

private:
    std::function<uint32_t(uint32_t)> makes_;
};

TermiosImage Wanted(uint32_t rate) {
    TermiosImage image;
    image.cflag = 0x5678;
    image.ospeed = image.ispeed = rate;
    return image;
}

TEST(ApplyTermiosTest, TakesARateTheDriverMakesOrRounds) {
    ScriptedDriver driver([](uint32_t rate) { return rate == 921600 ? 923077u : rate; });
    EXPECT_TRUE(ApplyTermios(driver, Wanted(250000)));
    EXPECT_EQ(driver.current.ospeed, 250000u);
    EXPECT_TRUE(ApplyTermios(driver, Wanted(921600)));
    EXPECT_EQ(driver.current.ospeed, 923077u);
    EXPECT_EQ(driver.writes.size(), 2u);
}

TEST(ApplyTermiosTest, SubstitutedRatePutsThePreviousSettingsBack) {
    // A UART that falls back to 9600 for a rate below its range.
    ScriptedDriver driver([](uint32_t rate) { return rate < 1200 ? 9600u : rate; });
    EXPECT_FALSE(ApplyTermios(driver, Wanted(1000)));
    EXPECT_EQ(driver.current.ospeed, 38400u);
    EXPECT_EQ(driver.current.cflag, 0x1234u);
    ASSERT_EQ(driver.writes.size(), 2u);
}

TEST(ApplyTermiosTest, FailedWriteOrReadBackPutsThePreviousSettingsBack) {
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

}  // namespace
}  // namespace baudrill::platform
