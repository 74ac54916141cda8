#pragma once

namespace baudrill {

// The integer registers that the value actions use, each as a stack.
inline constexpr int RepeatCounters = 9;        // "set_rep" pushes, "rep" counts the top down
inline constexpr int ChecksumByteBounds = 11;   // "crc_start"/"crc_end" push, "crc_modbus" pops two
inline constexpr int ChecksumValueBounds = 12;  // compose: "crc_start"/"crc_end" push `next`

}  // namespace baudrill
