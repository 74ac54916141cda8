#include "grammar/actions/Crc16Modbus.h"

#include <array>

namespace baudrill {

namespace {

// Tables of the algorithm that takes eight bytes at a time ("slicing by
// eight"): slice[0] is the register's change for one byte, and slice[k] the
// change for a byte followed by k zero bytes. Frames are summed anew for every
// start a received row is tried from, so the sum is worth the eight tables.
struct CrcTables {
    std::array<std::array<std::uint16_t, 256>, 8> slice{};
};

constexpr CrcTables MakeCrcTables()
{
    CrcTables tables;
    for (unsigned i = 0; i < 256; ++i) {
        unsigned crc = i;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1u) ? (crc >> 1) ^ 0xA001u : crc >> 1;
        tables.slice[0][i] = static_cast<std::uint16_t>(crc);
    }
    for (std::size_t k = 1; k < 8; ++k)
        for (unsigned i = 0; i < 256; ++i) {
            const unsigned before = tables.slice[k - 1][i];
            tables.slice[k][i] = static_cast<std::uint16_t>((before >> 8) ^ tables.slice[0][before & 0xFFu]);
        }
    return tables;
}

constexpr CrcTables SumTables = MakeCrcTables();
static_assert(SumTables.slice[0][1] == 0xC0C1 && SumTables.slice[0][255] == 0x4040);

unsigned ByteAt(const char* bytes, std::ptrdiff_t i) { return static_cast<unsigned char>(bytes[i]); }

}  // namespace

std::uint16_t Crc16Modbus(const char* bytes, std::ptrdiff_t length)
{
    const auto& t = SumTables.slice;
    unsigned crc = 0xFFFF;
    std::ptrdiff_t i = 0;
    for (; i + 8 <= length; i += 8) {
        const unsigned first = (crc ^ ByteAt(bytes, i)) & 0xFFu;
        const unsigned second = (crc >> 8) ^ ByteAt(bytes, i + 1);
        crc = t[7][first] ^ t[6][second] ^ t[5][ByteAt(bytes, i + 2)] ^ t[4][ByteAt(bytes, i + 3)] ^
              t[3][ByteAt(bytes, i + 4)] ^ t[2][ByteAt(bytes, i + 5)] ^ t[1][ByteAt(bytes, i + 6)] ^
              t[0][ByteAt(bytes, i + 7)];
    }
    for (; i < length; ++i)
        crc = (crc >> 8) ^ t[0][(crc ^ ByteAt(bytes, i)) & 0xFFu];
    return static_cast<std::uint16_t>(crc);
}

}  // namespace baudrill
