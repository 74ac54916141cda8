#pragma once

#include "serial/IOBase.h"
#include "serial/SerialSettings.h"

namespace baudrill {

// A serial port: line settings, the DTR/RTS outputs, the modem inputs, breaks and baud rates.
class SerialPortBase : public IOBase {
public:
    using IOBase::IOBase;

    const char* GetTypeName() override;

    // Each acts on DTR (0x002) and RTS (0x004) of `lines`, DTR first; 0, or -1 when a platform
    // call failed or `lines` named neither line.
    virtual int ToggleLines(int lines) = 0;
    virtual int LowerLines(int lines) = 0;
    // The modem inputs as LineFlags (never DTR or RTS), -1 when they cannot be read.
    virtual int GetInputLines() = 0;
    // "%i%c%i %i" of word length, parity letter (N for a parity outside 0-4), stop bits and
    // baud rate, at most 15 characters.
    virtual const char* GetSettingsText();
    virtual int PulseBreak(int n) = 0;
    virtual int SetStandardBaud(int rate) = 0;
    virtual int SetAnyBaud(int rate);
    virtual int RaiseLines(int lines) = 0;

    const SerialSettings& Settings() const { return settings; }
    // The name the device was last opened with (at most 31 characters).
    const char* DeviceName() const { return deviceName; }

protected:
    SerialSettings settings;
    char deviceName[32] = {};
};

}  // namespace baudrill
