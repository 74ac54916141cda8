#pragma once

#include <cstdint>

// The numeric codes the serial classes are written against. They keep the values of the
// communications API the port classes were designed on, so the serial code reads like its design;
// the device implementations translate them to POSIX calls.
namespace baudrill::platform {

// Purge flags: which driver queues to discard.
inline constexpr uint32_t PurgeTxAbort = 0x1;
inline constexpr uint32_t PurgeRxAbort = 0x2;
inline constexpr uint32_t PurgeTxClear = 0x4;
inline constexpr uint32_t PurgeRxClear = 0x8;

// Escape codes: switch one output line.
inline constexpr int EscapeSetRts = 3;
inline constexpr int EscapeClearRts = 4;
inline constexpr int EscapeSetDtr = 5;
inline constexpr int EscapeClearDtr = 6;

// Modem status bits (input lines).
inline constexpr uint32_t ModemCtsOn = 0x10;
inline constexpr uint32_t ModemDsrOn = 0x20;
inline constexpr uint32_t ModemRingOn = 0x40;
inline constexpr uint32_t ModemRlsdOn = 0x80;  // receive-line-signal-detect (DCD)

// Line error bits reported by ClearError.
inline constexpr uint32_t ErrorRxOverflow = 0x01;
inline constexpr uint32_t ErrorOverrun = 0x02;
inline constexpr uint32_t ErrorParity = 0x04;
inline constexpr uint32_t ErrorFrame = 0x08;
inline constexpr uint32_t ErrorBreak = 0x10;

// Parity codes of the line settings.
inline constexpr uint8_t ParityNone = 0;
inline constexpr uint8_t ParityOdd = 1;
inline constexpr uint8_t ParityEven = 2;
inline constexpr uint8_t ParityMark = 3;
inline constexpr uint8_t ParitySpace = 4;

// Stop-bit codes of the line settings.
inline constexpr uint8_t OneStopBit = 0;
inline constexpr uint8_t OneAndHalfStopBits = 1;
inline constexpr uint8_t TwoStopBits = 2;

// "All bits set": a read interval time-out of this value makes reads return at once.
inline constexpr uint32_t MaxTimeout = 0xFFFFFFFF;

}  // namespace baudrill::platform
