#include "tests/monitor/port/PortHarness.h"

#include <QCoreApplication>

#include <thread>

namespace baudrill::test {

PortHarness::PortHarness() : window(LayoutZoom{1.0, 1.0}) {}

std::unique_ptr<SerPort> PortHarness::MakePort(const std::string& deviceName, bool openable)
{
    auto fake = std::make_unique<platform::FakeCommDevice>(platform::SystemClock::Instance());
    device = fake.get();
    if (!openable)
        fake->FailCall(platform::FakeCommDevice::Call::Open);
    auto serial = std::make_unique<SerialPort>(std::move(fake));
    return std::make_unique<SerPort>(std::move(serial), deviceName, &gui, &window.logGrid,
                                     &window.settingsGroup, &window.sendGroup, &window.protoSendGroup,
                                     &window.asciiSendGroup, &window.hexSendGroup);
}

bool PortHarness::PumpUntil(SerPort& port, const std::function<bool()>& done, std::chrono::milliseconds limit)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    for (;;) {
        port.ProcessAll();
        QCoreApplication::processEvents();
        if (done())
            return true;
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

}  // namespace baudrill::test
