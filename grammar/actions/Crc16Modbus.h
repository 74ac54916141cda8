#pragma once

#include <cstddef>
#include <cstdint>

namespace baudrill {

// CRC-16/MODBUS of `length` bytes: reflected polynomial 0xA001, initial value
// 0xFFFF, no final exclusive-or. A length of 0 or less gives 0xFFFF. The sum
// goes on the wire low byte first, and a frame followed by its own sum sums to 0.
std::uint16_t Crc16Modbus(const char* bytes, std::ptrdiff_t length);

}  // namespace baudrill
