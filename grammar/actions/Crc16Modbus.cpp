#include "grammar/actions/Crc16Modbus.h"

#include <array>

namespace baudrill {

namespace {

// The two byte tables of the table-driven Modbus algorithm: the high and the
// low byte of the register's change for each index.
struct CrcTables {
    std::array<std::uint8_t, 256> high{};
    std::array<std::uint8_t, 256> low{};
};

constexpr CrcTables MakeCrcTables()
{
    CrcTables tables;
    for (unsigned i = 0; i < 256; ++i) {
        unsigned crc = i;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1u) ? (crc >> 1) ^ 0xA001u : crc >> 1;
        tables.high[i] = static_cast<std::uint8_t>(crc >> 8);
        tables.low[i] = static_cast<std::uint8_t>(crc & 0xFFu);
    }
    return tables;
}

constexpr CrcTables kCrcTables = MakeCrcTables();
static_assert(kCrcTables.high[1] == 0xC0 && kCrcTables.low[1] == 0xC1);
static_assert(kCrcTables.high[255] == 0x40 && kCrcTables.low[255] == 0x40);

}  // namespace

std::uint16_t Crc16Modbus(const char* bytes, std::ptrdiff_t length)
{
    std::uint8_t low = 0xFF;
    std::uint8_t high = 0xFF;
    for (std::ptrdiff_t i = 0; i < length; ++i) {
        const unsigned index = low ^ static_cast<unsigned char>(bytes[i]);
        low = static_cast<std::uint8_t>(high ^ kCrcTables.low[index]);
        high = kCrcTables.high[index];
    }
    return static_cast<std::uint16_t>((high << 8) | low);
}

}  // namespace baudrill
