#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>

namespace baudrill::platform {

// Bytes a device has read from its driver ahead of the caller, handed out oldest first. Filled
// only when empty, so it never reorders.
template <std::size_t Size>
class ReadAheadBuffer {
public:
    int Count() const { return end_ - start_; }
    bool Empty() const { return start_ == end_; }
    void Clear() { start_ = end_ = 0; }

    // Moves up to `length` bytes to `out`; returns how many. A read of nothing may pass no buffer.
    int Take(char* out, int length)
    {
        int n = std::min(length, Count());
        if (n <= 0)
            return 0;
        std::memcpy(out, data_.data() + start_, static_cast<std::size_t>(n));
        start_ += n;
        if (start_ == end_)
            Clear();
        return n;
    }

    // The room to fill (the whole buffer, as it is filled only when empty) and the fill itself.
    char* Room() { return data_.data(); }
    static constexpr int Capacity() { return static_cast<int>(Size); }
    void Filled(int n)
    {
        start_ = 0;
        end_ = n;
    }

private:
    std::array<char, Size> data_{};
    int start_ = 0;
    int end_ = 0;
};

}  // namespace baudrill::platform
