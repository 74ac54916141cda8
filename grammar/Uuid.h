#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace baudrill {

// A 128-bit identifier of an article. Default-constructed it is the null Uuid.
class Uuid {
public:
    Uuid() = default;

    // A new random identifier (never the null one).
    static Uuid Create();

    // Reads the first 32 hexadecimal digits of the text, skipping anything else
    // (dashes, braces, blanks); a text with fewer digits gives the null Uuid.
    static Uuid FromString(std::string_view text);

    // "%08X-%04X-%04X-%04X-%04X%08X" over the 16 bytes in order.
    std::string ToString() const;

    bool IsNull() const;
    const std::array<std::uint8_t, 16>& Bytes() const { return bytes_; }

    friend bool operator==(const Uuid&, const Uuid&) = default;

private:
    std::array<std::uint8_t, 16> bytes_{};
};

}  // namespace baudrill
