// Placeholder: the port object is being written.
#include "monitor/port/SerPort.h"

#include <QObject>

namespace baudrill {

SerPort::SerPort(std::string deviceName, MainGUI* gui, SerPortCtrl* grid, WithSettingsLayout* settingsPane,
                 WithSendLayout* sendPane, WithProtoLayout* protoPane, WithAsciiLayout* asciiPane,
                 WithHexLayout* hexPane)
    : SerPort(std::make_unique<SerialPort>(), std::move(deviceName), gui, grid, settingsPane, sendPane,
              protoPane, asciiPane, hexPane)
{
}

SerPort::SerPort(std::unique_ptr<SerialPort> device, std::string deviceName, MainGUI* gui, SerPortCtrl* grid,
                 WithSettingsLayout* settingsPane, WithSendLayout* sendPane, WithProtoLayout* protoPane,
                 WithAsciiLayout* asciiPane, WithHexLayout* hexPane)
    : asciiSlots(SendSlotCount), hexSlots(SendSlotCount), protoSlots(SendSlotCount),
      deviceName(std::move(deviceName)), port(std::move(device)), gui(gui), grid(grid),
      settingsPane(settingsPane), sendPane(sendPane), protoPane(protoPane), asciiPane(asciiPane),
      hexPane(hexPane), callbacks(std::make_unique<QObject>())
{
    worker = std::make_unique<SThread>(port.get(), this, ReadTimeoutMs);
}

SerPort::~SerPort() = default;

bool SerPort::Open() { return false; }
bool SerPort::Close() { return true; }
void SerPort::Activate() {}
void SerPort::OnStatusButton() {}
void SerPort::OnBaud() {}
void SerPort::OnParity(int) {}
void SerPort::OnWordLength(int) {}
void SerPort::OnStopBits(int) {}
void SerPort::OnFlow() {}
void SerPort::OnFlowNone() {}
void SerPort::OnLines() {}
void SerPort::ShowSettings() {}
void SerPort::ShowFlow() {}
void SerPort::ShowLineStatus() {}
void SerPort::OnLineStatus(int) {}
void SerPort::OnSendDone(bool) {}

}  // namespace baudrill
