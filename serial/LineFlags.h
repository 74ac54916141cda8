#pragma once

namespace baudrill::LineFlags {

// Bits of the serial lines, the same values for outputs and inputs.
inline constexpr int Dtr = 0x002;   // output
inline constexpr int Rts = 0x004;   // output
inline constexpr int Cts = 0x020;   // input
inline constexpr int Dcd = 0x040;   // input (receive-line-signal-detect)
inline constexpr int Ring = 0x080;  // input
inline constexpr int Dsr = 0x100;   // input

}  // namespace baudrill::LineFlags
