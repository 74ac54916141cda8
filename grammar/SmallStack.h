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
    // The in-place part of plain entries (numbers, marks) is left as it is: only
    // entries below size() are ever read, and a copy copies only those. So an
    // empty stack, as most registers are, costs nothing to make.
    SmallStack() {}
    SmallStack(const SmallStack& other) : size_(other.size_), spill_(other.spill_) { CopyInPlace(other); }
    SmallStack(SmallStack&& other) noexcept : size_(other.size_), spill_(std::move(other.spill_))
    {
        MoveInPlace(other);
        other.size_ = 0;
    }
    SmallStack& operator=(const SmallStack& other)
    {
        if (this != &other) {
            clear();
            CopyInPlace(other);
            size_ = other.size_;
            spill_ = other.spill_;
        }
        return *this;
    }
    SmallStack& operator=(SmallStack&& other) noexcept
    {
        if (this != &other) {
            clear();
            MoveInPlace(other);
            size_ = other.size_;
            spill_ = std::move(other.spill_);
            other.size_ = 0;
        }
        return *this;
    }

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
        ReleaseInPlace();
        size_ = 0;
        spill_.clear();
    }

private:
    void CopyInPlace(const SmallStack& other)
    {
        for (std::size_t i = 0; i < other.size_ && i < N; ++i)
            inline_[i] = other.inline_[i];
    }
    void MoveInPlace(SmallStack& other)
    {
        for (std::size_t i = 0; i < other.size_ && i < N; ++i)
            inline_[i] = std::move(other.inline_[i]);
        other.ReleaseInPlace();
    }
    void ReleaseInPlace()
    {
        for (std::size_t i = 0; i < size_ && i < N; ++i)
            Release(inline_[i]);
    }

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
    std::array<T, N> inline_;
    std::vector<T> spill_;
};

}  // namespace baudrill::detail
