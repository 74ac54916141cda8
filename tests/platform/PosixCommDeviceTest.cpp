#include "platform/PosixCommDevice.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "tests/support/PtyPair.h"
#include "tests/support/WaitUntil.h"

namespace baudrill::platform {
namespace {

// What the fake device does too is in CommDeviceContractTest.cpp; here is what only the POSIX
// device does: reading ahead, waits on the line, flow control, what a pty lacks.
class PosixCommDeviceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!pty.Ok())
            GTEST_SKIP() << "no pseudo-terminals here";
        ASSERT_TRUE(device.Open(pty.SlavePath().c_str()));
        ASSERT_TRUE(device.SetState(LineSettings{}));
    }

    // Input crosses the pty asynchronously: waits until `count` bytes are queued.
    bool WaitForInput(uint32_t count)
    {
        return test::WaitUntil([&] {
            uint32_t errors = 0;
            CommStatus status;
            return device.ClearError(errors, status) && status.inQueue >= count;
        });
    }

    test::PtyPair pty;
    PosixCommDevice device;
};

// One driver read serves several small reads: the bytes read ahead still count as waiting, end
// a read wait at once, come in order, and are delivered before a hang-up is reported.
TEST_F(PosixCommDeviceTest, BytesReadAheadComeInOrderAndCountAsWaiting)
{
    ASSERT_TRUE(pty.Send("abcdefgh"));
    ASSERT_TRUE(WaitForInput(8));
    char buffer[16];
    ASSERT_EQ(device.Read(buffer, 3), 3);
    EXPECT_EQ(std::string(buffer, 3), "abc");
    uint32_t errors = 0;
    CommStatus status;
    ASSERT_TRUE(device.ClearError(errors, status));
    EXPECT_EQ(status.inQueue, 5u);
    EXPECT_TRUE(device.WaitReadable(0));
    pty.CloseMaster();
    ASSERT_EQ(device.Read(buffer, 2), 2);
    ASSERT_EQ(device.Read(buffer + 2, sizeof buffer - 2), 3);
    EXPECT_EQ(std::string(buffer, 5), "defgh");
    EXPECT_EQ(device.Read(buffer, sizeof buffer), -1);
}

TEST_F(PosixCommDeviceTest, ReadWaitEndsWhenBytesArriveOrTheTimeIsUp)
{
    EXPECT_FALSE(device.WaitReadable(20));
    std::thread peer([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        pty.Send("x");
    });
    EXPECT_TRUE(device.WaitReadable(10000));
    peer.join();
    char c;
    EXPECT_EQ(device.Read(&c, 1), 1);
}

// A gone device is an answer too: the read that follows reports it instead of the wait
// lasting its whole time.
TEST_F(PosixCommDeviceTest, ReadWaitEndsAtOnceWhenThePeerHangsUp)
{
    pty.CloseMaster();
    auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(device.WaitReadable(60000));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
    char c;
    EXPECT_EQ(device.Read(&c, 1), -1);
}

TEST_F(PosixCommDeviceTest, WriteWaitEndsWhenThereIsRoomOrOnAbort)
{
    EXPECT_TRUE(device.WaitWritable(10000));  // an idle line has room at once
    LineSettings flow;
    flow.outX = flow.inX = true;
    ASSERT_TRUE(device.SetState(flow));
    ASSERT_TRUE(pty.Send("\x13m"));  // XOFF stops our output; the marker shows it was handled
    ASSERT_TRUE(WaitForInput(1));
    EXPECT_FALSE(device.WaitWritable(20));
    std::thread aborter([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        device.AbortIo();
    });
    EXPECT_TRUE(device.WaitWritable(60000));
    aborter.join();
    device.ResumeIo();
}

TEST_F(PosixCommDeviceTest, PtyHasNoModemLines)
{
    uint32_t status = 0;
    EXPECT_FALSE(device.GetModemStatus(status));
    EXPECT_FALSE(device.GetModemStatus(status));  // known now: not asked again
    EXPECT_FALSE(device.Escape(EscapeSetDtr));
    EXPECT_FALSE(device.Escape(99));
}

TEST_F(PosixCommDeviceTest, AcceptsOnlyTimeoutsThatReturnAtOnce)
{
    EXPECT_TRUE(device.SetTimeouts(CommTimeouts{}));
    CommTimeouts waiting;
    waiting.readTotalConstant = 100;
    EXPECT_FALSE(device.SetTimeouts(waiting));
}

TEST(PosixCommDeviceOpenTest, MissingDeviceDoesNotOpen)
{
    PosixCommDevice device;
    EXPECT_FALSE(device.Open("/dev/baudrill-no-such-device"));
    EXPECT_FALSE(device.Open(nullptr));
    EXPECT_FALSE(device.IsOpen());
}

}  // namespace
}  // namespace baudrill::platform
