#pragma once

#include <cstdint>

#include "platform/Termios2.h"

namespace baudrill::platform {

// The termios2 calls of one device, as an interface so that the check of what a driver made of
// new settings can be tested without the hardware that substitutes rates.
class TermiosIo {
public:
    virtual ~TermiosIo();
    virtual bool Read(TermiosImage& out) = 0;
    virtual bool Write(const TermiosImage& image) = 0;
};

// How far a driver may round a rate to its nearest divisor (USB adapters write the rate they
// really run back): a UART frame still samples right within a few percent.
inline constexpr int RateTolerancePercent = 3;

// Whether the rate a driver reports back is the one asked for, within that rounding.
bool RateHonoured(uint32_t requested, uint32_t effective);

// Whether a driver runs the line as `wanted` asks: the same word length, parity (mark and
// space included), stop bits, RTS/CTS and XON/XOFF in both directions, and the rate within
// rounding. Flags outside the settings may differ.
bool SettingsHonoured(const TermiosImage& wanted, const TermiosImage& effective);

// Writes `wanted` and reads back what the driver made of it. TCSETS2 does not fail for settings
// the driver cannot make: it falls back to the old rate or to 9600, or substitutes the nearest
// one it has, and quietly changes bits it lacks (a pty runs 8 data bits without parity). Then,
// and when the write or the read-back fails, the previous settings are put back and the call
// fails.
bool ApplyTermios(TermiosIo& io, const TermiosImage& wanted);

}  // namespace baudrill::platform
