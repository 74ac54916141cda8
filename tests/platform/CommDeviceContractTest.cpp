// What every comm device does, run on the fake device (which most port and worker tests use)
// and on the POSIX device over a pseudo terminal, so the fake cannot drift from the real one.
// What only one of them does stays in its own test file.

#include "platform/CommDevice.h"
#include "platform/FakeClock.h"
#include "platform/FakeCommDevice.h"
#include "platform/PosixCommDevice.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>

#include "tests/support/PtyPair.h"
#include "tests/support/NamedCase.h"
#include "tests/support/WaitUntil.h"

namespace baudrill::platform {
namespace {

// A device and the peer at the other end of its line.
class DeviceRig {
public:
    virtual ~DeviceRig() = default;
    virtual CommDevice& Device() = 0;
    virtual std::string Path() const = 0;
    // False where the rig cannot be made here (no pseudo terminals).
    virtual bool Usable() const { return true; }
    virtual bool PeerSends(std::string_view bytes) = 0;
    // What the device has sent to the peer, once `count` bytes are in (or the wait is over).
    virtual std::string PeerReceived(std::size_t count) = 0;
};

class FakeRig final : public DeviceRig {
public:
    CommDevice& Device() override { return device_; }
    std::string Path() const override { return "/dev/fake0"; }
    bool PeerSends(std::string_view bytes) override
    {
        device_.AddInput(bytes);
        return true;
    }
    std::string PeerReceived(std::size_t) override { return device_.TakeOutput(); }

private:
    FakeClock clock_;
    FakeCommDevice device_{clock_};
};

class PtyRig final : public DeviceRig {
public:
    CommDevice& Device() override { return device_; }
    std::string Path() const override { return pty_.SlavePath(); }
    bool Usable() const override { return pty_.Ok(); }
    bool PeerSends(std::string_view bytes) override { return pty_.Send(std::string(bytes)); }
    std::string PeerReceived(std::size_t count) override { return pty_.Receive(count, test::GenerousWait); }

private:
    test::PtyPair pty_;
    PosixCommDevice device_;
};

struct RigCase : test::NamedCase {
    std::unique_ptr<DeviceRig> (*make)();
};

class CommDeviceContract : public ::testing::TestWithParam<RigCase> {
protected:
    void SetUp() override
    {
        if (!rig->Usable())
            GTEST_SKIP() << "no pseudo-terminals here";
        ASSERT_TRUE(device.Open(rig->Path().c_str()));
        ASSERT_TRUE(device.SetState(LineSettings{}));
    }

    // Input may cross the line asynchronously: waits until `count` bytes are queued.
    bool WaitForInput(uint32_t count)
    {
        return test::WaitUntil([&] { return InQueue() >= count; });
    }
    uint32_t InQueue()
    {
        uint32_t errors = 0;
        CommStatus status;
        return device.ClearError(errors, status) ? status.inQueue : 0;
    }
    std::string Read(int length)
    {
        std::string buffer(static_cast<std::size_t>(length), '\0');
        const int n = device.Read(buffer.data(), length);
        return n > 0 ? buffer.substr(0, static_cast<std::size_t>(n)) : std::string();
    }

    std::unique_ptr<DeviceRig> rig = GetParam().make();
    CommDevice& device = rig->Device();
};

TEST_P(CommDeviceContract, OpensOnceAndOpensAgainAfterClose)
{
    EXPECT_TRUE(device.IsOpen());
    EXPECT_FALSE(device.Open(rig->Path().c_str()));  // already open
    EXPECT_TRUE(device.IsOpen());
    device.Close();
    EXPECT_FALSE(device.IsOpen());
    device.Close();  // twice is harmless
    EXPECT_FALSE(device.IsOpen());
    EXPECT_TRUE(device.Open(rig->Path().c_str()));
    EXPECT_TRUE(device.IsOpen());
}

TEST_P(CommDeviceContract, EveryCallFailsOnAClosedDevice)
{
    device.Close();
    char c;
    uint32_t bits;
    CommStatus status;
    LineSettings settings;
    EXPECT_EQ(device.Read(&c, 1), -1);
    EXPECT_EQ(device.Write("a", 1, 100), -1);
    EXPECT_FALSE(device.GetState(settings));
    EXPECT_FALSE(device.SetState(settings));
    EXPECT_FALSE(device.SetTimeouts(CommTimeouts{}));
    EXPECT_FALSE(device.SetupQueues(4096, 4096));
    EXPECT_FALSE(device.Purge(PurgeTxClear));
    EXPECT_FALSE(device.Escape(EscapeSetRts));
    EXPECT_FALSE(device.GetModemStatus(bits));
    EXPECT_FALSE(device.ClearError(bits, status));
    EXPECT_FALSE(device.SetBreak());
    EXPECT_FALSE(device.ClearBreak());
    EXPECT_TRUE(device.WaitReadable(60000));  // at once: the read that follows fails
    EXPECT_TRUE(device.WaitWritable(60000));
}

struct StateCase : test::NamedCase {
    int rate;
    uint8_t stopBits;
    bool rtsCts;
    bool xonXoff;
};

// Word length and parity are left out: a pseudo terminal runs every line as 8N.
const StateCase States[] = {
    {"Rate9600OneStopBit", 9600, OneStopBit, false, false},
    {"Rate250000TwoStopBits", 250000, TwoStopBits, false, false},
    {"Rate921600RtsCts", 921600, OneStopBit, true, false},
    {"Rate115200XonXoff", 115200, OneStopBit, false, true},
};

TEST_P(CommDeviceContract, GivesBackTheStateItWasSet)
{
    for (const StateCase& c : States) {
        SCOPED_TRACE(c.name);
        LineSettings wanted;
        wanted.baudRate = c.rate;
        wanted.stopBits = c.stopBits;
        wanted.ctsOutFlow = c.rtsCts;
        wanted.rtsControl = c.rtsCts ? LineControl::Handshake : LineControl::Enable;
        wanted.outX = wanted.inX = c.xonXoff;
        ASSERT_TRUE(device.SetState(wanted));
        LineSettings got;
        ASSERT_TRUE(device.GetState(got));
        EXPECT_EQ(got.baudRate, c.rate);
        EXPECT_EQ(got.stopBits, c.stopBits);
        EXPECT_EQ(got.ctsOutFlow, c.rtsCts);
        EXPECT_EQ(got.rtsControl == LineControl::Handshake, c.rtsCts);
        EXPECT_EQ(got.outX, c.xonXoff);
        EXPECT_EQ(got.inX, c.xonXoff);
    }
}

TEST_P(CommDeviceContract, RefusesWhatNoDriverRunsAndKeepsTheSettingsInForce)
{
    LineSettings inForce;
    inForce.baudRate = 19200;
    ASSERT_TRUE(device.SetState(inForce));
    LineSettings zeroRate = inForce;
    zeroRate.baudRate = 0;
    LineSettings nineBits = inForce;
    nineBits.byteSize = 9;
    LineSettings unknownParity = inForce;
    unknownParity.parity = 7;
    for (const LineSettings& refused : {zeroRate, nineBits, unknownParity})
        EXPECT_FALSE(device.SetState(refused));
    LineSettings got;
    ASSERT_TRUE(device.GetState(got));
    EXPECT_EQ(got.baudRate, 19200);
}

TEST_P(CommDeviceContract, ReadsWhatThePeerSentInOrder)
{
    char c;
    EXPECT_EQ(device.Read(&c, 1), 0);  // nothing pending: at once
    ASSERT_TRUE(rig->PeerSends("abcdefgh"));
    ASSERT_TRUE(WaitForInput(8));
    EXPECT_EQ(device.Read(nullptr, 0), 0);  // a read of nothing needs no buffer and takes nothing
    EXPECT_EQ(Read(3), "abc");              // a buffer smaller than what is queued
    EXPECT_EQ(InQueue(), 5u);
    EXPECT_TRUE(device.WaitReadable(0));
    EXPECT_EQ(Read(16), "defgh");
    EXPECT_EQ(InQueue(), 0u);
    EXPECT_EQ(Read(16), "");
}

TEST_P(CommDeviceContract, WritesEveryByteToThePeer)
{
    const std::string bytes("a\0b\xFF\r\n", 6);
    EXPECT_EQ(device.Write(bytes.data(), static_cast<int>(bytes.size()), 10000), 6);
    EXPECT_EQ(rig->PeerReceived(bytes.size()), bytes);
}

TEST_P(CommDeviceContract, AbortFailsWritesUntilResumedOrOpenedAgain)
{
    device.AbortIo();
    EXPECT_EQ(device.Write("abc", 3, 10000), -1);
    device.ResumeIo();
    EXPECT_EQ(device.Write("abc", 3, 10000), 3);
    EXPECT_EQ(rig->PeerReceived(3), "abc");

    device.AbortIo();
    device.Close();
    ASSERT_TRUE(device.Open(rig->Path().c_str()));
    ASSERT_TRUE(device.SetState(LineSettings{}));
    EXPECT_EQ(device.Write("d", 1, 10000), 1);
    EXPECT_EQ(rig->PeerReceived(1), "d");
}

// Received bytes are never discarded, whatever the flags; output already sent stays sent.
TEST_P(CommDeviceContract, PurgeKeepsUnreadInputAndOutputAlreadySent)
{
    ASSERT_TRUE(rig->PeerSends("old"));
    ASSERT_TRUE(WaitForInput(3));
    std::string sent;
    for (char c = 'a'; c <= 'e'; ++c) {
        ASSERT_EQ(device.Write(&c, 1, 10000), 1);
        ASSERT_TRUE(device.Purge(PurgeTxClear | PurgeRxClear | PurgeTxAbort | PurgeRxAbort));
        sent += c;
    }
    EXPECT_EQ(Read(16), "old");
    EXPECT_EQ(rig->PeerReceived(sent.size()), sent);
}

TEST_P(CommDeviceContract, AFreshLineHasNoErrors)
{
    uint32_t errors = 0xFF;
    CommStatus status;
    ASSERT_TRUE(device.ClearError(errors, status));
    EXPECT_EQ(errors, 0u);
    EXPECT_EQ(status.inQueue, 0u);
}

TEST_P(CommDeviceContract, TakesTheSetupThePortGivesIt)
{
    EXPECT_TRUE(device.CreateAbortEvent());
    EXPECT_TRUE(device.SetTimeouts(CommTimeouts{}));  // return at once
    EXPECT_TRUE(device.SetupQueues(4096, 4096));
    EXPECT_TRUE(device.SetBreak());
    EXPECT_TRUE(device.ClearBreak());
    EXPECT_TRUE(device.WaitWritable(10000));  // an idle line has room at once
    EXPECT_FALSE(device.HasHungUp());
}

INSTANTIATE_TEST_SUITE_P(Devices, CommDeviceContract,
                         ::testing::Values(RigCase{"Fake", [] { return std::unique_ptr<DeviceRig>(new FakeRig); }},
                                           RigCase{"Pty", [] { return std::unique_ptr<DeviceRig>(new PtyRig); }}),
                         test::CaseName<RigCase>);

}  // namespace
}  // namespace baudrill::platform
