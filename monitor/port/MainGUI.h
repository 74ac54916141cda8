#pragma once

namespace baudrill {

// What a port may ask of the main window: to show its send mode and profile slot.
class MainGUI {
public:
    virtual ~MainGUI() = default;
    virtual void SelectSendMode(int mode) = 0;  // a SendMode (monitor/send/SendMode.h)
    virtual void SelectProfile(int slot) = 0;   // 0 to 9
};

}  // namespace baudrill
