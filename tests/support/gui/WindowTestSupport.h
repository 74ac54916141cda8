#pragma once

#include <memory>
#include <string>
#include <vector>

#include "monitor/port/SerPort.h"
#include "tests/support/TempFolder.h"

class QTabBar;

namespace baudrill {
class MainWindow;
}

namespace baudrill::test {

// What the ports of a test did, in order.
struct PortLog {
    std::vector<std::string> entries;
};

// A port on a fake device that records the notes posted into its queue and its own deletion,
// so the window's pump order and teardown order can be seen without the port's behaviour.
class RecordingPort final : public SerPort {
public:
    RecordingPort(MainWindow& window, std::string name, PortLog& log);
    ~RecordingPort() override;

    void Note(std::string text) { log.entries.push_back(name + ":" + text); }

    const std::string name;
    PortLog& log;
};

// Adds a recording port to the window's ports (no tab), as the window owns its ports.
RecordingPort& AddRecordingPort(MainWindow& window, const std::string& name, PortLog& log);

// The values of every tab of the bar, in tab order.
std::vector<std::string> TabValues(const QTabBar& bar);

}  // namespace baudrill::test
