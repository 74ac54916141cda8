#include "tests/support/gui/PortHarness.h"
#include "tests/support/WaitUntil.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPixmap>

#include <thread>

namespace baudrill::test {

PortHarness::PortHarness() : window(LayoutZoom{1.0, 1.0}) {}

std::unique_ptr<SerPort> PortHarness::MakePort(const std::string& deviceName, bool openable)
{
    auto fake = std::make_unique<platform::FakeCommDevice>(platform::SystemClock::Instance());
    device = fake.get();
    if (!openable)
        fake->FailCall(platform::FakeCommDevice::Call::Open);
    return MakePortOn(std::make_unique<SerialPort>(std::move(fake)), deviceName);
}

std::unique_ptr<SerPort> PortHarness::MakePortOn(std::unique_ptr<SerialPort> serial, const std::string& deviceName)
{
    return std::make_unique<SerPort>(std::move(serial), deviceName, &gui, &window.logGrid, &window.settingsGroup,
                                     &window.sendGroup, &window.protoSendGroup, &window.asciiSendGroup,
                                     &window.hexSendGroup);
}

bool PortHarness::PumpUntil(SerPort& port, const std::function<bool()>& done, std::chrono::milliseconds limit)
{
    return WaitUntil(done, limit, [&] {
        port.ProcessAll();
        QCoreApplication::processEvents();
    });
}

bool PortHarness::ShowsImage(const QLabel& label, const QImage& image)
{
    const QImage shown = label.pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
    return !shown.isNull() && shown == image.convertToFormat(QImage::Format_ARGB32);
}

}  // namespace baudrill::test
