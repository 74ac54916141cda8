#pragma once

#include <array>
#include <cstddef>
#include <type_traits>
#include <utility>
#include <vector>

namespace baudrill::detail {

// A stack whose first N entries live in place, so that a short stack (what a
// register or an undo log mostly is) needs no heap memory; further entries go
// to a vector. Entries are read by index from the bottom (0) up.
template <class T, std::size_t N>
class SmallStack {
public:
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }

    const T& operator[](std::size_t i) const { return i < N ? inline_[i] : spill_[i - N]; }
    T& operator[](std::size_t i) { return i < N ? inline_[i] : spill_[i - N]; }
    const T& back() const { return (*this)[size_ - 1]; }
    T& back() { return (*this)[size_ - 1]; }

    void push_back(T entry)
    {
        if (size_ < N) [[likely]]
            inline_[size_] = std::move(entry);
        else
            spill_.push_back(std::move(entry));
        ++size_;
    }

    // Requires !empty().
    void pop_back()
    {
        --size_;
        if (size_ >= N)
            spill_.pop_back();
        else
            Release(inline_[size_]);
    }

    void clear()
    {
        for (std::size_t i = 0; i < size_ && i < N; ++i)
            Release(inline_[i]);
        size_ = 0;
        spill_.clear();
    }

private:
    // An entry left in place gives back what it holds (a string's memory):
    // swapped with an empty one, which takes the memory along when it goes.
    static void Release(T& entry)
    {
        if constexpr (!std::is_trivially_copyable_v<T>) {
            T empty{};
            std::swap(entry, empty);
        }
    }

    std::size_t size_ = 0;
    std::array<T, N> inline_{};
    std::vector<T> spill_;
};

}  // namespace baudrill::detail
