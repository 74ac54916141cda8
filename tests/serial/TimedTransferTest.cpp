#include <gtest/gtest.h>

#include <future>
#include <string>

#include "tests/serial/FakePortTest.h"

namespace baudrill {
namespace {

using test::OpenFakePortTest;
using Call = platform::FakeCommDevice::Call;

class TimedTransferTest : public OpenFakePortTest {
protected:
    std::string ReadTimed(int length, int timeoutMs)
    {
        std::string buffer(static_cast<std::size_t>(length), '\0');
        int n = port->ReadTimed(buffer.data(), length, timeoutMs);
        buffer.resize(static_cast<std::size_t>(n));
        return buffer;
    }
};

TEST_F(TimedTransferTest, QuietReadEndsAtItsTimeout)
{
    EXPECT_EQ(ReadTimed(16, 4), "");
    EXPECT_EQ(clock.Elapsed(), 4u);
    // One read, then a wait on the device for the whole time-out: no retries, no timer.
    EXPECT_EQ(device->CallCount(Call::Read), 1);
    EXPECT_EQ(device->CallCount(Call::WaitReadable), 1);
    EXPECT_EQ(clock.ArmedTimers(), 0u);
}

TEST_F(TimedTransferTest, PutBackBytesNeedNoWait)
{
    port->PutBack().PushBytes("pb", 2);
    device->AddInput("cd", 2);
    EXPECT_EQ(ReadTimed(4, 10), "pbcd");
    EXPECT_EQ(clock.Elapsed(), 2u);
}

// A device whose wait ends without anything to read is read again, then paused on for 1 ms
// before it is waited on again: the loop never spins, and still ends at its time-out.
TEST_F(TimedTransferTest, WaitThatEndsWithNothingToReadDoesNotSpin)
{
    device->FailCall(Call::WaitReadable);
    EXPECT_EQ(ReadTimed(16, 4), "");
    EXPECT_EQ(clock.Elapsed(), 4u);
    EXPECT_EQ(device->CallCount(Call::Read), 8);  // two a millisecond
}

TEST_F(TimedTransferTest, TimeoutZeroIsOneMillisecond)
{
    EXPECT_EQ(ReadTimed(16, 0), "");
    EXPECT_EQ(clock.Elapsed(), 1u);
}

TEST_F(TimedTransferTest, CollectsEverythingThatArrivesWithinTheTimeout)
{
    device->AddInput("ab");
    device->AddInput("cd", 3);
    device->AddInput("ef", 5);
    EXPECT_EQ(ReadTimed(16, 4), "abcd");
    EXPECT_EQ(ReadTimed(16, 4), "ef");
}

TEST_F(TimedTransferTest, StopsAsSoonAsLengthBytesAreIn)
{
    device->AddInput("abcdef");
    EXPECT_EQ(ReadTimed(4, 100), "abcd");
    EXPECT_EQ(clock.Elapsed(), 0u);
}

TEST_F(TimedTransferTest, MinusOneWaitsForTheWholeLength)
{
    device->AddInput("abc");
    device->AddInput("de", 100000);
    EXPECT_EQ(ReadTimed(5, -1), "abcde");
    EXPECT_EQ(clock.Elapsed(), 100000u);
}

TEST_F(TimedTransferTest, MinusOneEndsWhenThePortFails)
{
    device->AddInput("abc");
    device->AddReadFailure(50);
    EXPECT_EQ(ReadTimed(10, -1), "abc");
}

TEST_F(TimedTransferTest, FailureAtOnceGivesNothing)
{
    device->FailCall(Call::Read);
    EXPECT_EQ(ReadTimed(10, 100), "");
    EXPECT_EQ(device->CallCount(Call::Read), 1);
}

TEST_F(TimedTransferTest, FailureAfterThreeBytesGivesThem)
{
    device->AddInput("abc");
    device->AddReadFailure(2);
    device->AddInput("def", 2);
    EXPECT_EQ(ReadTimed(10, 100), "abc");
}

TEST_F(TimedTransferTest, TimingWorksAcrossTheTickWrap)
{
    platform::FakeClock wrapping(platform::FakeClock::Mode::AutoAdvance, 0xFFFFFFFEu);
    auto fake = std::make_unique<platform::FakeCommDevice>(wrapping);
    fake->AddInput("late", 3);
    SerialPort wrapped(std::move(fake), wrapping);
    ASSERT_EQ(wrapped.Open("/dev/fake0", nullptr), 0);
    char buffer[8];
    EXPECT_EQ(wrapped.ReadTimed(buffer, 8, 4), 4);
    EXPECT_EQ(wrapping.Tick(), 2u);
}

TEST_F(TimedTransferTest, WriteOfNothingStillDiscardsUnsentOutput)
{
    EXPECT_EQ(port->WriteTimed("", 0, 300), 0);
    EXPECT_EQ(device->CallCount(Call::Purge), 1);
    EXPECT_EQ(device->LastPurgeFlags(), platform::PurgeTxClear);
    EXPECT_EQ(device->CallCount(Call::Write), 0);
}

// Received bytes are never discarded: what arrived before the write is read after it.
TEST_F(TimedTransferTest, WriteKeepsUnreadInputAndWritesTheBlock)
{
    device->AddInput("unread");
    EXPECT_EQ(port->WriteTimed("hello", 5, 300), 5);
    EXPECT_EQ(device->Output(), "hello");
    EXPECT_EQ(ReadTimed(16, 4), "unread");
}

TEST_F(TimedTransferTest, FailedWriteGivesNothing)
{
    device->FailCall(Call::Write);
    EXPECT_EQ(port->WriteTimed("hello", 5, 300), 0);
    EXPECT_EQ(device->CallCount(Call::Write), 1);
}

TEST_F(TimedTransferTest, WriteCutShortReportsTheBytesWritten)
{
    device->HoldWrites(3);
    auto write = std::async(std::launch::async, [&] { return port->WriteTimed("hello", 5, 300); });
    ASSERT_TRUE(device->WaitForHeldWrite());
    clock.Advance(static_cast<uint32_t>(device->LastWriteBound()));  // the time-out passes too
    EXPECT_EQ(write.get(), 3);
    EXPECT_EQ(device->Output(), "hel");
}

}  // namespace
}  // namespace baudrill
