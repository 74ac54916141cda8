#include <gtest/gtest.h>

#include <future>

#include "tests/serial/FakePortTest.h"

namespace baudrill {
namespace {

using test::OpenFakePortTest;
using Call = platform::FakeCommDevice::Call;

using SerialPortReadWriteTest = OpenFakePortTest;

TEST_F(SerialPortReadWriteTest, PutBackBytesComeFirst)
{
    port->PutBack().PushBytes("abcde", 5);
    EXPECT_EQ(ReadSome(2), "ab");
    EXPECT_EQ(port->PutBack().Count(), 3);
    device->AddInput("xyz");
    EXPECT_EQ(ReadSome(10), "cdexyz");
}

TEST_F(SerialPortReadWriteTest, PutBackBytesSurviveAFailingDeviceRead)
{
    port->PutBack().PushBytes("ab", 2);
    device->FailCall(Call::Read, 1);
    EXPECT_EQ(ReadSome(10), "ab");
    device->FailCall(Call::Read, 1);
    char c;
    EXPECT_EQ(port->Read(&c, 1), -1);  // the failure shows on the next call
}

TEST_F(SerialPortReadWriteTest, ReadWithoutRoomFailsAndOfNothingReadsNothing)
{
    device->AddInput("abc");
    char c;
    EXPECT_EQ(port->Read(nullptr, 4), -1);
    EXPECT_EQ(port->Read(&c, -1), -1);
    EXPECT_EQ(port->Read(&c, 0), 0);
    EXPECT_EQ(ReadSome(), "abc");  // nothing was taken
}

TEST_F(SerialPortReadWriteTest, ClosedPortFailsReadAndWrite)
{
    port->Close();
    char c;
    EXPECT_EQ(port->Read(&c, 1), -1);
    EXPECT_EQ(port->Write("a", 1), -1);
    EXPECT_EQ(port->DiscardBuffers(), 0);
}

TEST_F(SerialPortReadWriteTest, WriteIsBoundedByLengthLineTimeAndFlowControl)
{
    EXPECT_EQ(port->Write("0123456789", 10), 10);
    EXPECT_EQ(device->Output(), "0123456789");
    EXPECT_EQ(device->LastWriteBound(), 300 + 2 * 3);  // 10 bytes of 8N1 at 38400: 3 ms

    port->Close();
    SerialSettings flow;
    flow.baud = 9600;
    flow.xonXoff = true;
    ASSERT_EQ(OpenPort(flow), 0);
    std::string block(2000, 'x');
    EXPECT_EQ(port->Write(block.data(), 2000), 2000);
    EXPECT_EQ(device->LastWriteBound(), 2000 + 2 * 2084 + 10000);

    port->SetWriteBound({50, 0, 0});
    EXPECT_EQ(port->Write("ab", 2), 2);
    EXPECT_EQ(device->LastWriteBound(), 50 + 2 * 3);
}

TEST_F(SerialPortReadWriteTest, WriteHeldPastItsBoundReportsTheBytesSent)
{
    device->HoldWrites(4);
    auto write = std::async(std::launch::async, [&] { return port->Write("abcdefgh", 8); });
    ASSERT_TRUE(device->WaitForHeldWrite());
    clock.Advance(static_cast<uint32_t>(device->LastWriteBound()));
    EXPECT_EQ(write.get(), 4);
    EXPECT_EQ(device->Output(), "abcd");
}

TEST_F(SerialPortReadWriteTest, AbortFromAnotherThreadFreesAHeldWrite)
{
    device->HoldWrites(3);
    auto write = std::async(std::launch::async, [&] { return port->Write("abcdefgh", 8); });
    ASSERT_TRUE(device->WaitForHeldWrite());
    port->AbortIo();
    EXPECT_EQ(write.get(), 3);
    device->ReleaseWrites();
    EXPECT_EQ(port->Write("x", 1), -1);  // writes fail until the abort has been served
    port->ResumeIo();
    EXPECT_EQ(port->Write("x", 1), 1);
    port->AbortIo();
    port->Close();
    ASSERT_EQ(OpenPort(), 0);
    EXPECT_EQ(port->Write("y", 1), 1);  // a new open starts without the abort
}

TEST_F(SerialPortReadWriteTest, DiscardBuffersPurgesUnsentOutputOnly)
{
    device->AddInput("old");
    EXPECT_NE(port->DiscardBuffers(), 0);
    EXPECT_EQ(device->LastPurgeFlags(), platform::PurgeTxClear);
    EXPECT_EQ(ReadSome(), "old");
}

}  // namespace
}  // namespace baudrill
