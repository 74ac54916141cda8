#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/FakeClock.h"
#include "platform/FakeCommDevice.h"
#include "serial/SerialPort.h"

namespace baudrill::test {

// A SerialPort on the fake device and the fake clock (time passes as the port sleeps).
class FakePortTest : public ::testing::Test {
protected:
    using Call = platform::FakeCommDevice::Call;

    FakePortTest()
    {
        auto fake = std::make_unique<platform::FakeCommDevice>(clock);
        device = fake.get();
        port = std::make_unique<SerialPort>(std::move(fake), clock);
    }

    int OpenPort(SerialSettings settings = {}) { return port->Open("/dev/fake0", &settings); }

    std::string ReadSome(int length = 64)
    {
        std::string buffer(static_cast<std::size_t>(length), '\0');
        int n = port->Read(buffer.data(), length);
        buffer.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
        return buffer;
    }

    platform::FakeClock clock;
    platform::FakeCommDevice* device;
    std::unique_ptr<SerialPort> port;
};

// The same port, opened with the default settings before each test.
class OpenFakePortTest : public FakePortTest {
protected:
    void SetUp() override { ASSERT_EQ(OpenPort(), 0); }
};

}  // namespace baudrill::test
