#include <gtest/gtest.h>

#include "serial/ControlCode.h"
#include "serial/LineErrorCounts.h"
#include "serial/LineFlags.h"
#include "tests/serial/FakePortTest.h"
#include "tests/support/NamedCase.h"

namespace baudrill {
namespace {

using test::FakePortTest;
using test::OpenFakePortTest;
using Call = platform::FakeCommDevice::Call;
namespace pf = platform;

class SerialPortControlTest : public OpenFakePortTest {
protected:
    LineErrorCounts Counts()
    {
        LineErrorCounts counts{-1, -1, -1, -1};
        EXPECT_EQ(port->Control(GetErrorCounts, &counts), 0);
        return counts;
    }
    int Flag(int code)
    {
        int value = -1;
        EXPECT_EQ(port->Control(code, &value), 0);
        return value;
    }
};

TEST_F(SerialPortControlTest, CountsAreKeptAcrossQueriesAndResetByOpen)
{
    device->AddErrors(pf::ErrorBreak | pf::ErrorFrame | pf::ErrorRxOverflow);
    EXPECT_EQ(Counts(), (LineErrorCounts{1, 1, 0, 0}));  // receive-queue overflow not counted
    EXPECT_EQ(Counts(), (LineErrorCounts{1, 1, 0, 0}));  // nothing new: the same counts
    device->AddErrors(pf::ErrorOverrun | pf::ErrorParity | pf::ErrorFrame);
    EXPECT_EQ(Counts(), (LineErrorCounts{1, 2, 1, 1}));
    port->Close();
    ASSERT_EQ(OpenPort(), 0);
    EXPECT_EQ(Counts(), (LineErrorCounts{}));
}

TEST_F(SerialPortControlTest, FlagQueriesReportOnceAndCountEverythingTheySee)
{
    device->AddErrors(pf::ErrorFrame | pf::ErrorParity);
    EXPECT_EQ(Flag(GetFramingFlag), 1);
    EXPECT_EQ(Flag(GetParityFlag), 0);                   // the first query cleared the driver's state...
    EXPECT_EQ(Counts(), (LineErrorCounts{0, 1, 0, 1}));  // ...and counted the parity error
    device->AddErrors(pf::ErrorBreak);
    EXPECT_EQ(Flag(GetBreakFlag), 1);
    device->AddErrors(pf::ErrorOverrun);
    EXPECT_EQ(Flag(GetOverrunFlag), 1);
    EXPECT_EQ(Counts(), (LineErrorCounts{1, 1, 1, 1}));
}

TEST_F(SerialPortControlTest, InputQueueCountsBytesWaiting)
{
    device->AddInput("abcde");
    device->AddInput("later", 100);
    EXPECT_EQ(Flag(GetInputQueue), 5);
}

TEST_F(SerialPortControlTest, UnknownCodesAndFailedQueriesAreMinusOne)
{
    int out = 0;
    EXPECT_EQ(port->Control(300, &out), -1);
    EXPECT_EQ(port->Control(255, &out), -1);
    EXPECT_EQ(port->Control(1, &out), -1);
    EXPECT_EQ(port->Control(GetErrorCounts, nullptr), -1);
    EXPECT_EQ(device->CallCount(Call::ClearError), 0);
    for (int code = GetErrorCounts; code <= GetInputQueue; ++code) {
        device->FailCall(Call::ClearError, 1);
        LineErrorCounts counts;
        EXPECT_EQ(port->Control(code, &counts), -1) << code;
    }
}

TEST_F(SerialPortControlTest, SendBreakPulsesForAQuarterSecond)
{
    EXPECT_EQ(port->Control(SendBreak, nullptr), 0);
    auto breaks = device->Breaks();
    ASSERT_EQ(breaks.size(), 1u);
    EXPECT_EQ(breaks[0].clearTick - breaks[0].setTick, 250u);
}

struct BreakCase : test::NamedCase {
    int n;
    uint32_t expectedMs;
};

class PulseBreak : public SerialPortControlTest, public ::testing::WithParamInterface<BreakCase> {};

TEST_P(PulseBreak, HoldsTheBreakForNQuarterSeconds)
{
    EXPECT_EQ(port->PulseBreak(GetParam().n), 0);
    auto breaks = device->Breaks();
    ASSERT_EQ(breaks.size(), 1u);
    EXPECT_EQ(breaks[0].clearTick - breaks[0].setTick, GetParam().expectedMs);
    EXPECT_FALSE(device->BreakOn());
}

INSTANTIATE_TEST_SUITE_P(Lengths, PulseBreak,
                         ::testing::Values(BreakCase{"NegativeCountsAsOne", -3, 250},
                                           BreakCase{"ZeroCountsAsOne", 0, 250}, BreakCase{"One", 1, 250},
                                           BreakCase{"Two", 2, 500}),
                         test::CaseName<BreakCase>);

TEST_F(SerialPortControlTest, BreakThatCannotBeSetOrClearedFails)
{
    device->FailCall(Call::SetBreak, 1);
    EXPECT_EQ(port->PulseBreak(1), -1);
    EXPECT_EQ(device->CallCount(Call::ClearBreak), 0);
    EXPECT_EQ(clock.Elapsed(), 0u);
    device->FailCall(Call::ClearBreak, 1);
    EXPECT_EQ(port->PulseBreak(1), -1);
}

TEST_F(SerialPortControlTest, StandardListHoldsElevenRates)
{
    for (int rate : SerialPort::StandardRates) {
        EXPECT_EQ(port->SetStandardBaud(rate), 0) << rate;
        EXPECT_EQ(port->Settings().baud, rate);
        EXPECT_EQ(device->State().baudRate, rate);
    }
    int calls = device->TotalCalls();
    for (int rate : {1000, 300, 14400, 250000, 0, -9600}) {
        EXPECT_EQ(port->SetStandardBaud(rate), -1) << rate;
    }
    EXPECT_EQ(device->TotalCalls(), calls);  // refused without touching the device
    EXPECT_EQ(port->Settings().baud, 921600);
}

TEST_F(SerialPortControlTest, AnyBaudSetsAnyPositiveRate)
{
    EXPECT_EQ(port->SetAnyBaud(1000), 0);
    EXPECT_EQ(port->Settings().baud, 1000);
    EXPECT_EQ(device->State().baudRate, 1000);
    EXPECT_EQ(port->SetAnyBaud(0), -1);  // would hang the line up
    EXPECT_EQ(port->Settings().baud, 1000);
}

// A driver that cannot make a rate does not fail the settings call; it substitutes one.
TEST_F(SerialPortControlTest, RateTheDriverSubstitutesIsRefused)
{
    device->SubstituteRate(1000, 9600);
    device->SubstituteRate(921600, 923077);
    EXPECT_EQ(port->SetAnyBaud(1000), -1);
    EXPECT_EQ(port->Settings().baud, 38400);
    EXPECT_EQ(device->State().baudRate, 38400);
    EXPECT_EQ(port->SetStandardBaud(921600), 0);  // rounding to a divisor is no substitution
    EXPECT_EQ(port->Settings().baud, 921600);
    port->Close();
    SerialSettings settings;
    settings.baud = 1000;
    EXPECT_EQ(OpenPort(settings), -2);
}

TEST_F(SerialPortControlTest, RateChangeKeepsTheOtherSettingsAndTheLines)
{
    ASSERT_EQ(port->LowerLines(LineFlags::Dtr), 0);
    pf::LineSettings before = device->State();
    ASSERT_EQ(port->SetAnyBaud(250000), 0);
    pf::LineSettings after = device->State();
    after.baudRate = before.baudRate;
    EXPECT_EQ(after, before);
    EXPECT_FALSE(device->Dtr());
}

TEST_F(SerialPortControlTest, FailedRateChangeKeepsTheOldRate)
{
    device->FailCall(Call::GetState, 1);
    EXPECT_EQ(port->SetStandardBaud(9600), -1);
    device->FailCall(Call::SetState, 1);
    EXPECT_EQ(port->SetAnyBaud(1000), -1);
    EXPECT_EQ(port->Settings().baud, 38400);
    port->Close();
    EXPECT_EQ(port->SetAnyBaud(1000), -1);
}

struct TextCase : test::NamedCase {
    int wordLength, parity, stopBits, baud;
    const char* expected;
};

class SettingsText : public FakePortTest, public ::testing::WithParamInterface<TextCase> {};

TEST_P(SettingsText, FormatsWordParityStopAndRate)
{
    const TextCase& c = GetParam();
    SerialSettings s;
    s.wordLength = static_cast<uint8_t>(c.wordLength);
    s.parity = c.parity;
    s.stopBits = static_cast<uint8_t>(c.stopBits);
    s.baud = c.baud;
    port->Open("/dev/fake0", &s);
    const char* text = port->GetSettingsText();
    EXPECT_STREQ(text, c.expected);
    EXPECT_EQ(text, port->Settings().text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SettingsText,
    ::testing::Values(TextCase{"Default", 8, 0, 1, 38400, "8N1 38400"},
                      TextCase{"OddTwoStop", 7, 1, 2, 9600, "7O2 9600"},
                      TextCase{"Even", 8, 2, 1, 115200, "8E1 115200"}, TextCase{"Mark", 8, 3, 1, 1200, "8M1 1200"},
                      TextCase{"Space", 6, 4, 1, 1200, "6S1 1200"},
                      TextCase{"OneAndAHalfShowsThree", 8, 0, 3, 9600, "8N3 9600"},
                      TextCase{"ParityOutsideRangeShowsN", 8, 7, 1, 9600, "8N1 9600"},
                      TextCase{"NegativeParityShowsN", 8, -1, 1, 9600, "8N1 9600"},
                      TextCase{"CutTo15Characters", 255, 0, 255, -2147483647 - 1, "255N255 -214748"}),
    test::CaseName<TextCase>);

}  // namespace
}  // namespace baudrill
