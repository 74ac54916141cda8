#include "tests/support/gui/WindowTestSupport.h"

#include <QTabBar>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "monitor/protocols/editor/ProtoDialog.h"
#include "monitor/window/MainWindow.h"
#include "monitor/window/PaneSetup.h"
#include "platform/FakeCommDevice.h"
#include "platform/SystemClock.h"

namespace baudrill::test {

namespace {

std::unique_ptr<SerialPort> FakeSerialPort()
{
    return std::make_unique<SerialPort>(std::make_unique<platform::FakeCommDevice>(platform::SystemClock::Instance()));
}

}  // namespace

RecordingPort::RecordingPort(MainWindow& window, std::string name, PortLog& log)
    : SerPort(FakeSerialPort(), "/dev/" + name, &window, &window.logGrid, &window.settingsGroup, &window.sendGroup,
              &window.protoSendGroup, &window.asciiSendGroup, &window.hexSendGroup),
      name(std::move(name)), log(log)
{
}

RecordingPort::~RecordingPort()
{
    log.entries.push_back(name + (theProtoDialog ? ":deleted, editor alive" : ":deleted"));
}

RecordingPort& AddRecordingPort(MainWindow& window, const std::string& name, PortLog& log)
{
    auto port = std::make_unique<RecordingPort>(window, name, log);
    RecordingPort& added = *port;
    window.ports.Add(name, std::move(port));
    return added;
}

std::vector<std::string> TabValues(const QTabBar& bar)
{
    std::vector<std::string> values;
    for (int i = 0; i < bar.count(); ++i)
        values.push_back(TabValue(bar, i));
    return values;
}

}  // namespace baudrill::test
