#pragma once

#include <cstdint>

namespace baudrill {

// The settings a port is opened with.
struct SerialSettings {
    int baud = 38400;
    int parity = 0;             // 0 none, 1 odd, 2 even, 3 mark, 4 space
    uint8_t wordLength = 8;     // data bits, passed to the driver unchanged
    uint8_t stopBits = 1;       // 2 means two stop bits, every other value one
    bool rtsCts = false;        // RTS/CTS hardware handshake
    bool xonXoff = false;       // XON/XOFF in both directions
    char text[16] = {};         // written by GetSettingsText
};

}  // namespace baudrill
