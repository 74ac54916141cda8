#pragma once

#include <cstdint>

#include "platform/PlatformCodes.h"

namespace baudrill {

// The record's stop-bit values. Its own numbering, not the platform's line-settings codes
// (OneStopBit 0, TwoStopBits 2): only StopBitsTwo gives two stop bits, and one and a half
// opens the device with one.
inline constexpr uint8_t StopBitsOne = 1;
inline constexpr uint8_t StopBitsTwo = 2;
inline constexpr uint8_t StopBitsOneAndHalf = 3;

// The settings a port is opened with.
struct SerialSettings {
    int baud = 38400;
    int parity = platform::ParityNone;  // the platform's codes, ParityNone .. ParitySpace
    uint8_t wordLength = 8;             // data bits, passed to the driver unchanged
    uint8_t stopBits = StopBitsOne;     // StopBitsTwo means two stop bits, every other value one
    bool rtsCts = false;                // RTS/CTS hardware handshake
    bool xonXoff = false;               // XON/XOFF in both directions
    char text[16] = {};                 // written by GetSettingsText
};

}  // namespace baudrill
