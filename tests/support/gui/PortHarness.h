#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "monitor/layouts/WithMainLayout.h"
#include "monitor/port/SerPort.h"
#include "monitor/port/MainGUI.h"
#include "platform/FakeCommDevice.h"
#include "platform/SystemClock.h"

namespace baudrill::test {

// Records what a port asks of the main window.
class RecordingGui final : public MainGUI {
public:
    void SelectSendMode(int mode) override { modes.push_back(mode); }
    void SelectProfile(int slot) override { profiles.push_back(slot); }

    std::vector<int> modes;
    std::vector<int> profiles;
};

// The shared panes and grid of a main window, and ports made on fake devices that run on the
// system clock (the worker polls every few milliseconds, as on a real line). Make it inside a
// test that has the GUI test environment.
class PortHarness {
public:
    PortHarness();

    // A port on a new fake device, which stays reachable through `device` (the port owns it).
    // With `openable` false the device refuses to open, as a missing one does.
    std::unique_ptr<SerPort> MakePort(const std::string& deviceName = "/dev/ttyFAKE0", bool openable = true);
    // A port on the given device object (a real device, say); `device` is left as it was.
    std::unique_ptr<SerPort> MakePortOn(std::unique_ptr<SerialPort> serial, const std::string& deviceName);

    // Runs the port's queued notifications, as the main window's timer does, until `done` holds
    // or ten seconds of real time have passed; true when it held.
    static bool PumpUntil(SerPort& port, const std::function<bool()>& done,
                          std::chrono::milliseconds limit = std::chrono::seconds(10));
    // Whether `label` shows `image` (the status image, say).
    static bool ShowsImage(const QLabel& label, const QImage& image);

    WithMainLayout window;
    RecordingGui gui;
    platform::FakeCommDevice* device = nullptr;  // of the port made last
};

}  // namespace baudrill::test
