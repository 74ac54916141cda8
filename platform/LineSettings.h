#pragma once

#include <cstdint>

#include "platform/PlatformCodes.h"

namespace baudrill::platform {

// How an output line is driven while the device is open.
enum class LineControl : uint8_t {
    Disable,    // held low
    Enable,     // held high
    Handshake,  // driven by hardware flow control (RTS only)
};

// The driver's line settings: what a comm device is configured with and reads back.
struct LineSettings {
    int baudRate = 9600;
    uint8_t byteSize = 8;           // data bits, 5 to 8
    uint8_t parity = ParityNone;    // ParityNone .. ParitySpace
    uint8_t stopBits = OneStopBit;  // OneStopBit or TwoStopBits
    bool parityCheck = false;       // check received parity
    bool ctsOutFlow = false;        // hold output while CTS is low
    bool dsrOutFlow = false;        // hold output while DSR is low (not available on POSIX)
    LineControl dtrControl = LineControl::Enable;
    LineControl rtsControl = LineControl::Enable;
    bool outX = false;      // XON/XOFF on output
    bool inX = false;       // XON/XOFF on input
    uint16_t xonLimit = 0;  // accepted for completeness; the POSIX driver has its own
    uint16_t xoffLimit = 0;
    char xonChar = 0x11;
    char xoffChar = 0x13;

    bool operator==(const LineSettings&) const = default;
};

// Whether new line settings drive an output line: when its control is Enable or Disable and
// differs from the one in force, or first after opening.
constexpr bool DrivesLine(LineControl wanted, LineControl inForce, bool firstAfterOpen)
{
    return wanted != LineControl::Handshake && (firstAfterOpen || wanted != inForce);
}

// Read and write time-outs. Only the "return at once" configuration is used: reads come back
// with what the driver holds, writes carry their own bound.
struct CommTimeouts {
    uint32_t readInterval = MaxTimeout;
    uint32_t readTotalMultiplier = 0;
    uint32_t readTotalConstant = 0;
    uint32_t writeTotalMultiplier = 0;
    uint32_t writeTotalConstant = 0;

    bool operator==(const CommTimeouts&) const = default;
};

// Queue status that comes with the error bits.
struct CommStatus {
    uint32_t inQueue = 0;   // bytes received and not yet read
    uint32_t outQueue = 0;  // bytes accepted and not yet sent
};

}  // namespace baudrill::platform
