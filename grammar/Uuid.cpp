#include "grammar/Uuid.h"

#include "grammar/NumberText.h"

#include <mutex>
#include <random>

namespace baudrill {

Uuid Uuid::Create()
{
    static std::mutex lock;
    static std::mt19937_64 generator{[] {
        std::random_device device;
        std::seed_seq seed{device(), device(), device(), device()};
        return std::mt19937_64(seed);
    }()};

    Uuid id;
    do {
        std::lock_guard<std::mutex> guard(lock);
        for (int half = 0; half < 2; ++half) {
            std::uint64_t bits = generator();
            for (int b = 0; b < 8; ++b)
                id.bytes_[half * 8 + b] = static_cast<std::uint8_t>(bits >> (8 * b));
        }
    } while (id.IsNull());
    return id;
}

Uuid Uuid::FromString(std::string_view text)
{
    Uuid id;
    int count = 0;
    for (char c : text) {
        int d = DigitValue(static_cast<unsigned char>(c));
        if (d >= 16)
            continue;
        id.bytes_[count / 2] = static_cast<std::uint8_t>(id.bytes_[count / 2] << 4 | d);
        if (++count == 32)
            return id;
    }
    return Uuid();
}

std::string Uuid::ToString() const
{
    std::string out;
    out.reserve(36);
    for (int i = 0; i < 16; ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10)
            out += '-';
        AppendHexByte(out, bytes_[i]);
    }
    return out;
}

bool Uuid::IsNull() const
{
    for (std::uint8_t b : bytes_)
        if (b != 0)
            return false;
    return true;
}

}  // namespace baudrill
