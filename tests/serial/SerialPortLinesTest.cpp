#include <gtest/gtest.h>

#include "serial/LineFlags.h"
#include "tests/serial/FakePortTest.h"
#include "tests/support/NamedCase.h"

namespace baudrill {
namespace {

using test::FakePortTest;
using Call = platform::FakeCommDevice::Call;
constexpr int Both = LineFlags::Dtr | LineFlags::Rts;

enum class Op { Raise, Lower, Toggle };

struct LineCase : test::NamedCase {
    bool rtsCts;  // opened with handshake: lineState starts with DTR only
    Op op;
    int lines;
    int expectedResult;
    int expectedState;
};

class LineOperation : public FakePortTest, public ::testing::WithParamInterface<LineCase> {};

TEST_P(LineOperation, DrivesDtrAndRtsAndTracksTheState)
{
    const LineCase& c = GetParam();
    SerialSettings settings;
    settings.rtsCts = c.rtsCts;
    ASSERT_EQ(OpenPort(settings), 0);
    int result = c.op == Op::Raise   ? port->RaiseLines(c.lines)
                 : c.op == Op::Lower ? port->LowerLines(c.lines)
                                     : port->ToggleLines(c.lines);
    EXPECT_EQ(result, c.expectedResult);
    EXPECT_EQ(port->LineState(), c.expectedState);
    // The device's lines follow the state, also the ones an operation left alone.
    EXPECT_EQ(device->Dtr(), (c.expectedState & LineFlags::Dtr) != 0);
    EXPECT_EQ(device->Rts(), (c.expectedState & LineFlags::Rts) != 0);
}

INSTANTIATE_TEST_SUITE_P(Table, LineOperation,
                         ::testing::Values(LineCase{"ToggleBothClearsBoth", false, Op::Toggle, Both, 0, 0},
                                           LineCase{"ToggleRtsUnderHandshakeRaisesIt", true, Op::Toggle, LineFlags::Rts,
                                                    0, Both},
                                           LineCase{"ToggleNeitherLineFails", false, Op::Toggle, 0x100, -1, Both},
                                           LineCase{"LowerRts", false, Op::Lower, LineFlags::Rts, 0, LineFlags::Dtr},
                                           LineCase{"LowerDtr", false, Op::Lower, LineFlags::Dtr, 0, LineFlags::Rts},
                                           LineCase{"RaiseIgnoresOtherBits", true, Op::Raise, 0x0E6, 0, Both},
                                           LineCase{"RaiseNothingFails", false, Op::Raise, 0, -1, Both}),
                         test::CaseName<LineCase>);

using SerialPortLinesTest = FakePortTest;

TEST_F(SerialPortLinesTest, EachLineGoesThroughItsEscapeCodeDtrFirst)
{
    ASSERT_EQ(OpenPort(), 0);
    ASSERT_EQ(port->LowerLines(Both), 0);
    EXPECT_FALSE(device->Dtr());
    EXPECT_FALSE(device->Rts());
    ASSERT_EQ(port->RaiseLines(LineFlags::Rts), 0);
    EXPECT_FALSE(device->Dtr());
    EXPECT_TRUE(device->Rts());
    EXPECT_EQ(device->CallCount(Call::Escape), 3);
}

TEST_F(SerialPortLinesTest, AnyFailedPlatformCallFailsTheOperation)
{
    ASSERT_EQ(OpenPort(), 0);
    device->FailCall(Call::Escape, 1);  // DTR fails, RTS succeeds
    EXPECT_EQ(port->LowerLines(Both), -1);
    EXPECT_EQ(port->LineState(), 0);  // the bits change all the same
    EXPECT_FALSE(device->Rts());
    EXPECT_EQ(port->RaiseLines(Both), 0);
}

struct InputCase : test::NamedCase {
    uint32_t modemStatus;
    int expectedLines;
};

class InputLines : public FakePortTest, public ::testing::WithParamInterface<InputCase> {};

TEST_P(InputLines, MapModemStatusToLineFlags)
{
    ASSERT_EQ(OpenPort(), 0);
    device->SetModemStatus(GetParam().modemStatus);
    EXPECT_EQ(port->GetInputLines(), GetParam().expectedLines);
}

INSTANTIATE_TEST_SUITE_P(Mapping, InputLines,
                         ::testing::Values(InputCase{"None", 0, 0},
                                           InputCase{"Cts", platform::ModemCtsOn, LineFlags::Cts},
                                           InputCase{"Dsr", platform::ModemDsrOn, LineFlags::Dsr},
                                           InputCase{"Ring", platform::ModemRingOn, LineFlags::Ring},
                                           InputCase{"Dcd", platform::ModemRlsdOn, LineFlags::Dcd},
                                           InputCase{"CtsAndRing", platform::ModemCtsOn | platform::ModemRingOn, 0x0A0},
                                           InputCase{"AllNeverShowsOutputs", 0xFF, 0x1E0}),
                         test::CaseName<InputCase>);

TEST_F(SerialPortLinesTest, UnreadableModemStatusIsMinusOne)
{
    ASSERT_EQ(OpenPort(), 0);
    device->FailCall(Call::GetModemStatus, 1);
    EXPECT_EQ(port->GetInputLines(), -1);
    port->Close();
    EXPECT_EQ(port->GetInputLines(), -1);
}

}  // namespace
}  // namespace baudrill
