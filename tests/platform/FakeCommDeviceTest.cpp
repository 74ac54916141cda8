#include "platform/FakeCommDevice.h"

#include <gtest/gtest.h>

#include <functional>
#include <future>
#include <string>

#include "platform/FakeClock.h"
#include "tests/support/NamedCase.h"

namespace baudrill::platform {
namespace {

using Call = FakeCommDevice::Call;

class FakeCommDeviceTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(device.Open("/dev/fake0")); }

    std::string ReadAll()
    {
        char buffer[64];
        int n = device.Read(buffer, sizeof buffer);
        return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string();
    }

    FakeClock clock;
    FakeCommDevice device{clock};
};

TEST_F(FakeCommDeviceTest, InputArrivesByTheClocksTime)
{
    device.AddInput("ab");
    device.AddInput("cd", 10);
    EXPECT_EQ(ReadAll(), "ab");
    clock.Advance(9);
    EXPECT_EQ(device.InputWaiting(), 0);
    EXPECT_EQ(ReadAll(), "");
    clock.Advance(1);
    EXPECT_EQ(device.InputWaiting(), 2);
    EXPECT_EQ(ReadAll(), "cd");
}

TEST_F(FakeCommDeviceTest, ReadFailureComesAfterTheBytesBeforeIt)
{
    device.AddInput("abc");
    device.AddReadFailure();
    EXPECT_EQ(ReadAll(), "abc");
    char c;
    EXPECT_EQ(device.Read(&c, 1), -1);
    EXPECT_EQ(device.Read(&c, 1), 0);  // a one-time failure
}

TEST_F(FakeCommDeviceTest, PurgeKeepsReceivedInput)
{
    device.AddInput("old");
    device.AddInput("new", 5);
    EXPECT_TRUE(device.Purge(PurgeRxClear | PurgeTxClear));
    EXPECT_EQ(device.LastPurgeFlags(), PurgeRxClear | PurgeTxClear);
    clock.Advance(5);
    EXPECT_EQ(ReadAll(), "oldnew");
}

// The waits move the clock in 1 ms steps until the device is ready or the time is up.
TEST_F(FakeCommDeviceTest, WaitsEndWhenInputArrivesOrWritesAreTakenOrTheTimeIsUp)
{
    EXPECT_FALSE(device.WaitReadable(4));
    EXPECT_EQ(clock.Elapsed(), 4u);
    device.AddInput("x", 3);
    EXPECT_TRUE(device.WaitReadable(10));
    EXPECT_EQ(clock.Elapsed(), 7u);
    device.AddReadFailure(2);
    char c;
    ASSERT_EQ(device.Read(&c, 1), 1);
    EXPECT_TRUE(device.WaitReadable(-1));  // the failure arrives: the next read tells
    EXPECT_EQ(clock.Elapsed(), 9u);

    EXPECT_TRUE(device.WaitWritable(100));  // not held: at once
    device.HoldWrites();
    EXPECT_FALSE(device.WaitWritable(5));
    EXPECT_EQ(clock.Elapsed(), 14u);
    device.AbortIo();
    EXPECT_TRUE(device.WaitWritable(5));
    EXPECT_EQ(clock.Elapsed(), 14u);
}

TEST_F(FakeCommDeviceTest, HeldWriteWaitsUntilReleasedFromAnotherThread)
{
    device.HoldWrites(2);
    auto write = std::async(std::launch::async, [&] { return device.Write("hello", 5, 0); });
    ASSERT_TRUE(device.WaitForHeldWrite());
    EXPECT_EQ(device.Output(), "he");
    device.ReleaseWrites();
    EXPECT_EQ(write.get(), 5);
    EXPECT_EQ(device.Output(), "hello");
    EXPECT_FALSE(device.WriteIsHeld());
}

TEST_F(FakeCommDeviceTest, HeldWriteEndsAtItsBoundOnTheClock)
{
    device.HoldWrites(3);
    auto write = std::async(std::launch::async, [&] { return device.Write("hello", 5, 100); });
    ASSERT_TRUE(device.WaitForHeldWrite());
    clock.Advance(99);
    EXPECT_TRUE(device.WriteIsHeld());
    clock.Advance(1);
    EXPECT_EQ(write.get(), 3);  // the bytes actually sent
    EXPECT_EQ(device.LastWriteBound(), 100);
    EXPECT_EQ(clock.ArmedTimers(), 0u);
}

TEST_F(FakeCommDeviceTest, AbortFreesAHeldWriteAndFailsWritesUntilResumed)
{
    device.HoldWrites(0);
    auto write = std::async(std::launch::async, [&] { return device.Write("hello", 5, 0); });
    ASSERT_TRUE(device.WaitForHeldWrite());
    device.AbortIo();
    EXPECT_EQ(write.get(), -1);  // nothing was sent
    device.ReleaseWrites();
    EXPECT_EQ(device.Write("x", 1, 0), -1);
    device.ResumeIo();
    EXPECT_EQ(device.Write("x", 1, 0), 1);
}

TEST_F(FakeCommDeviceTest, ControlsDriveTheLinesOnlyWhenTheyChange)
{
    LineSettings settings;
    ASSERT_TRUE(device.SetState(settings));
    EXPECT_TRUE(device.Dtr());
    EXPECT_TRUE(device.Rts());
    ASSERT_TRUE(device.Escape(EscapeClearDtr));
    settings.baudRate = 115200;
    ASSERT_TRUE(device.SetState(settings));
    EXPECT_FALSE(device.Dtr());  // a rate change leaves the lines alone
    settings.rtsControl = LineControl::Handshake;
    ASSERT_TRUE(device.SetState(settings));
    EXPECT_FALSE(device.Dtr());
    settings.dtrControl = LineControl::Disable;
    settings.rtsControl = LineControl::Enable;
    ASSERT_TRUE(device.SetState(settings));
    EXPECT_FALSE(device.Dtr());
    EXPECT_TRUE(device.Rts());
}

struct FailCase : test::NamedCase {
    Call call;
    std::function<bool(FakeCommDevice&)> invoke;  // true when the call succeeded
};

class FailureInjection : public ::testing::TestWithParam<FailCase> {};

TEST_P(FailureInjection, FailsExactlyTheNextCallOfThatKind)
{
    FakeClock clock;
    FakeCommDevice device(clock);
    const FailCase& c = GetParam();
    if (c.call != Call::Open) {
        ASSERT_TRUE(device.Open("/dev/fake0"));
    }
    device.FailCall(c.call, 1);
    int before = device.CallCount(c.call);
    EXPECT_FALSE(c.invoke(device));
    EXPECT_EQ(device.CallCount(c.call), before + 1);
    EXPECT_TRUE(c.invoke(device));
    device.FailCall(c.call);  // until cleared
    EXPECT_FALSE(c.invoke(device));
    EXPECT_FALSE(c.invoke(device));
    device.ClearFailures();
    EXPECT_TRUE(c.invoke(device));
}

INSTANTIATE_TEST_SUITE_P(
    EveryCall, FailureInjection,
    ::testing::Values(
        FailCase{"Open", Call::Open,
                 [](FakeCommDevice& d) {
                     bool ok = d.Open("/dev/fake0");
                     d.Close();
                     return ok;
                 }},
        FailCase{"GetState", Call::GetState,
                 [](FakeCommDevice& d) {
                     LineSettings s;
                     return d.GetState(s);
                 }},
        FailCase{"SetState", Call::SetState, [](FakeCommDevice& d) { return d.SetState({}); }},
        FailCase{"CreateAbortEvent", Call::CreateAbortEvent, [](FakeCommDevice& d) { return d.CreateAbortEvent(); }},
        FailCase{"SetTimeouts", Call::SetTimeouts, [](FakeCommDevice& d) { return d.SetTimeouts({}); }},
        FailCase{"SetupQueues", Call::SetupQueues, [](FakeCommDevice& d) { return d.SetupQueues(4096, 4096); }},
        FailCase{"Read", Call::Read,
                 [](FakeCommDevice& d) {
                     char c;
                     return d.Read(&c, 1) >= 0;
                 }},
        FailCase{"Write", Call::Write, [](FakeCommDevice& d) { return d.Write("a", 1, 0) == 1; }},
        FailCase{"Purge", Call::Purge, [](FakeCommDevice& d) { return d.Purge(PurgeTxClear); }},
        FailCase{"Escape", Call::Escape, [](FakeCommDevice& d) { return d.Escape(EscapeSetDtr); }},
        FailCase{"GetModemStatus", Call::GetModemStatus,
                 [](FakeCommDevice& d) {
                     uint32_t status;
                     return d.GetModemStatus(status);
                 }},
        FailCase{"ClearError", Call::ClearError,
                 [](FakeCommDevice& d) {
                     uint32_t errors;
                     CommStatus status;
                     return d.ClearError(errors, status);
                 }},
        FailCase{"SetBreak", Call::SetBreak, [](FakeCommDevice& d) { return d.SetBreak(); }},
        FailCase{"ClearBreak", Call::ClearBreak, [](FakeCommDevice& d) { return d.ClearBreak(); }}),
    test::CaseName<FailCase>);

}  // namespace
}  // namespace baudrill::platform
