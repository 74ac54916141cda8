// The serial port on a real POSIX device: a pseudo-terminal, whose master end is the peer.
// A pty has no modem lines or error counters and always runs 8 data bits without parity, so word
// length and parity are covered by the termios table and the fake device (and their refusal on a
// pty by LineSettingsPtyTest).
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <string>
#include <thread>

#include "platform/PosixCommDevice.h"
#include "serial/ControlCode.h"
#include "serial/SerialPort.h"
#include "tests/support/PtyPair.h"
#include "tests/support/NamedCase.h"
#include "tests/support/WaitUntil.h"

namespace baudrill {
namespace {

using namespace std::chrono_literals;
using SteadyClock = std::chrono::steady_clock;

long long MsBetween(SteadyClock::time_point from, SteadyClock::time_point to)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(to - from).count();
}

class SerialPortPtyTest : public ::testing::Test {
protected:
    SerialPortPtyTest()
    {
        auto posix = std::make_unique<platform::PosixCommDevice>();
        device = posix.get();
        port = std::make_unique<SerialPort>(std::move(posix));
    }

    void SetUp() override
    {
        if (!pty.Ok())
            GTEST_SKIP() << "no pseudo-terminals here";
    }

    int OpenPort(SerialSettings settings = {}) { return port->Open(pty.SlavePath().c_str(), &settings); }

    // Opens with XON/XOFF and lets the peer hold our output with XOFF.
    void OpenHeldByXoff()
    {
        SerialSettings settings;
        settings.xonXoff = true;
        ASSERT_EQ(OpenPort(settings), 0);
        SendAndWaitForMarker("\x13");
    }

    // Bytes from the peer cross the pty asynchronously; a marker byte after a control
    // character shows that the driver has handled the character.
    void SendAndWaitForMarker(const std::string& bytes)
    {
        ASSERT_TRUE(pty.Send(bytes + "m"));
        char c = 0;
        ASSERT_EQ(port->ReadTimed(&c, 1, 10000), 1);
        ASSERT_EQ(c, 'm');
    }

    test::PtyPair pty;
    platform::PosixCommDevice* device;
    std::unique_ptr<SerialPort> port;
};

TEST_F(SerialPortPtyTest, OpenIsExclusive)
{
    ASSERT_EQ(OpenPort(), 0);
    SerialPort second;
    SerialSettings settings;
    EXPECT_EQ(second.Open(pty.SlavePath().c_str(), &settings), -1);
    EXPECT_FALSE(second.IsOpen());
    port->Close();
    EXPECT_EQ(second.Open(pty.SlavePath().c_str(), &settings), 0);
}

struct ReadbackCase : test::NamedCase {
    int baud;
    int stopBits;
    bool rtsCts;
    bool xonXoff;
};

class DriverReadback : public SerialPortPtyTest, public ::testing::WithParamInterface<ReadbackCase> {};

TEST_P(DriverReadback, MatchesTheRecordForRateStopBitsAndFlow)
{
    const ReadbackCase& c = GetParam();
    SerialSettings settings;
    settings.baud = c.baud;
    settings.stopBits = static_cast<uint8_t>(c.stopBits);
    settings.rtsCts = c.rtsCts;
    settings.xonXoff = c.xonXoff;
    ASSERT_EQ(OpenPort(settings), 0);
    platform::LineSettings line;
    ASSERT_TRUE(device->GetState(line));
    EXPECT_EQ(line.baudRate, c.baud);
    EXPECT_EQ(line.stopBits, c.stopBits == 2 ? platform::TwoStopBits : platform::OneStopBit);
    EXPECT_EQ(line.ctsOutFlow, c.rtsCts);
    EXPECT_EQ(line.outX, c.xonXoff);
    EXPECT_EQ(line.inX, c.xonXoff);
}

INSTANTIATE_TEST_SUITE_P(Table, DriverReadback,
                         ::testing::Values(ReadbackCase{"Rate1000TwoStop", 1000, 2, false, false},
                                           ReadbackCase{"Rate9600OneAndAHalfIsOne", 9600, 3, false, false},
                                           ReadbackCase{"Rate921600RtsCts", 921600, 1, true, false},
                                           ReadbackCase{"Rate250000XonXoff", 250000, 1, false, true},
                                           ReadbackCase{"BothFlowsTwoStop", 115200, 2, true, true}),
                         test::CaseName<ReadbackCase>);

TEST_F(SerialPortPtyTest, RateChangeIsReadBack)
{
    ASSERT_EQ(OpenPort(), 0);
    ASSERT_EQ(port->SetAnyBaud(250000), 0);
    platform::LineSettings line;
    ASSERT_TRUE(device->GetState(line));
    EXPECT_EQ(line.baudRate, 250000);
    ASSERT_EQ(port->SetStandardBaud(57600), 0);
    ASSERT_TRUE(device->GetState(line));
    EXPECT_EQ(line.baudRate, 57600);
}

TEST_F(SerialPortPtyTest, BytesTravelBothWays)
{
    ASSERT_EQ(OpenPort(), 0);
    EXPECT_EQ(port->WriteTimed("hello", 5, 300), 5);
    EXPECT_EQ(pty.Receive(5, 10s), "hello");
    ASSERT_TRUE(pty.Send(std::string("wor\0ld", 6)));
    char buffer[16] = {};
    ASSERT_EQ(port->ReadTimed(buffer, 6, 10000), 6);
    EXPECT_EQ(std::string(buffer, 6), std::string("wor\0ld", 6));
}

// Every timed write purges the driver's queues first; that purge must not take back the bytes
// of the previous write that the driver already passed on.
TEST_F(SerialPortPtyTest, ConsecutiveTimedWritesAllReachThePeer)
{
    ASSERT_EQ(OpenPort(), 0);
    std::string expected;
    for (int i = 0; i < 20; ++i) {
        std::string block = "block" + std::to_string(i) + ";";
        int length = static_cast<int>(block.size());
        ASSERT_EQ(port->WriteTimed(block.data(), length, 300), length);
        expected += block;
    }
    EXPECT_EQ(pty.Receive(expected.size(), 10s), expected);
}

TEST_F(SerialPortPtyTest, WriteHeldByXoffStopsAtItsBound)
{
    OpenHeldByXoff();
    port->SetWriteBound({100, 0, 0});
    auto start = SteadyClock::now();
    EXPECT_EQ(port->Write("hello", 5), 0);  // nothing was sent
    EXPECT_GE(MsBetween(start, SteadyClock::now()), 99);
    EXPECT_FALSE(port->HasHungUp());  // held, not gone
    EXPECT_EQ(pty.ReceiveAll(), "");
    SendAndWaitForMarker("\x11");
    EXPECT_EQ(port->Write("abc", 3), 3);
    EXPECT_EQ(pty.Receive(3, 10s), "abc");  // the cut write's bytes were discarded
}

TEST_F(SerialPortPtyTest, WriteIntoAFullLineReportsTheBytesActuallySent)
{
    ASSERT_EQ(OpenPort(), 0);
    port->SetWriteBound({100, 0, 0, 0});
    std::string block(200000, 'x');
    int sent = port->Write(block.data(), static_cast<int>(block.size()));
    EXPECT_GT(sent, 0);
    EXPECT_LT(sent, static_cast<int>(block.size()));
    EXPECT_EQ(pty.ReceiveAll().size(), static_cast<std::size_t>(sent));
}

TEST_F(SerialPortPtyTest, AbortFromAnotherThreadFreesAWaitingWriteAtOnce)
{
    OpenHeldByXoff();
    port->SetWriteBound({30000, 0, 0});
    SteadyClock::time_point abortedAt;
    bool abortedAWaitingWrite = false;
    std::thread aborter([&] {
        // Only an abort of a write that really waits shows that the abort wakes it.
        test::WaitUntil([&] { return device->WriteIsWaiting(); }, 20s);
        abortedAWaitingWrite = device->WriteIsWaiting();
        abortedAt = SteadyClock::now();
        port->AbortIo();
    });
    int result = port->Write("hello", 5);
    auto returnedAt = SteadyClock::now();
    aborter.join();
    EXPECT_TRUE(abortedAWaitingWrite);
    EXPECT_EQ(result, -1);
    EXPECT_GE(returnedAt, abortedAt);  // it waited for the abort
    // Well under a millisecond in practice; the margin is for loaded sanitizer builds, and stays
    // below the 1 s slices in which a waiting write looks at the abort flag by itself.
    EXPECT_LT(MsBetween(abortedAt, returnedAt), 500);
    port->ResumeIo();
}

// The bytes the driver held when the line went away never reached the peer, and how many it
// held cannot be read any more: none of them counts as sent.
TEST_F(SerialPortPtyTest, HangUpDuringAWriteFailsIt)
{
    ASSERT_EQ(OpenPort(), 0);
    port->SetWriteBound({30000, 0, 0});
    std::thread peer([&] {
        auto giveUpAt = SteadyClock::now() + 20s;
        while (!device->WriteIsWaiting() && SteadyClock::now() < giveUpAt)
            std::this_thread::sleep_for(1ms);
        pty.CloseMaster();  // the pty is full and nothing of it was read
    });
    std::string block(200000, 'x');
    int result = port->Write(block.data(), static_cast<int>(block.size()));
    peer.join();
    EXPECT_EQ(result, -1);
    EXPECT_TRUE(port->HasHungUp());
}

TEST_F(SerialPortPtyTest, HungUpPeerMakesReadFailInsteadOfReturningNothing)
{
    ASSERT_EQ(OpenPort(), 0);
    char buffer[8];
    EXPECT_EQ(port->Read(buffer, sizeof buffer), 0);  // a quiet line
    EXPECT_FALSE(port->HasHungUp());
    pty.CloseMaster();
    EXPECT_EQ(port->Read(buffer, sizeof buffer), -1);
    EXPECT_TRUE(port->HasHungUp());
    EXPECT_EQ(port->ReadTimed(buffer, sizeof buffer, -1), 0);  // ends instead of spinning
    uint32_t bits;
    EXPECT_EQ(port->Control(GetInputQueue, &bits), -1);
}

}  // namespace
}  // namespace baudrill
