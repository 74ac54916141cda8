#include "monitor/traffic/RowBytes.h"

#include "platform/GrowableMemory.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <limits>
#include <new>
#include <ostream>
#include <utility>

namespace baudrill {

// The memory that copies share. `used` is how far any copy has written: a copy may append in
// place only from there, and claims its bytes by moving it.
struct RowBytes::Block {
    std::atomic<long> refs{1};
    std::atomic<std::size_t> used{0};
    platform::GrowableMemory memory;

    // True when no other copy holds the block, so it may move. The acquire pairs with the
    // release of the copies dropped before, which may have read the bytes on another thread.
    bool Unique() const { return refs.load(std::memory_order_acquire) == 1; }
};

namespace {

std::size_t GrownCapacity(std::size_t capacity, std::size_t needed)
{
    return capacity > std::numeric_limits<std::size_t>::max() / 2 ? needed : std::max(needed, 2 * capacity);
}

}  // namespace

RowBytes::RowBytes(std::string_view bytes) { append(bytes); }

RowBytes::RowBytes(const RowBytes& other) noexcept : block_(other.block_), size_(other.size_)
{
    if (block_)
        block_->refs.fetch_add(1, std::memory_order_relaxed);
}

RowBytes::RowBytes(RowBytes&& other) noexcept
    : block_(std::exchange(other.block_, nullptr)), size_(std::exchange(other.size_, 0))
{
}

RowBytes& RowBytes::operator=(const RowBytes& other) noexcept
{
    if (this != &other) {
        RowBytes copy(other);
        *this = std::move(copy);
    }
    return *this;
}

RowBytes& RowBytes::operator=(RowBytes&& other) noexcept
{
    if (this != &other) {
        Drop();
        block_ = std::exchange(other.block_, nullptr);
        size_ = std::exchange(other.size_, 0);
    }
    return *this;
}

RowBytes::~RowBytes() { Drop(); }

void RowBytes::Drop()
{
    if (block_ && block_->refs.fetch_sub(1, std::memory_order_acq_rel) == 1)
        delete block_;
    block_ = nullptr;
    size_ = 0;
}

const char* RowBytes::data() const { return block_ ? block_->memory.data() : ""; }

void RowBytes::TakeOwnBytes(std::size_t capacity)
{
    auto* own = new Block;
    if (!own->memory.Grow(capacity, 0)) {
        delete own;
        throw std::bad_alloc();
    }
    if (size_ > 0)
        std::memcpy(own->memory.data(), data(), size_);
    own->used.store(size_, std::memory_order_relaxed);
    const std::size_t size = size_;
    Drop();
    block_ = own;
    size_ = size;
}

void RowBytes::append(std::string_view bytes)
{
    if (bytes.empty())
        return;
    if (bytes.size() > std::numeric_limits<std::size_t>::max() - size_)
        throw std::bad_alloc();
    const std::size_t needed = size_ + bytes.size();
    // Bytes from this row itself stay where they are found by their offset, as growing may
    // move them.
    const char* const start = data();
    const bool fromHere = bytes.data() >= start && bytes.data() < start + size_;
    const std::size_t offset = fromHere ? static_cast<std::size_t>(bytes.data() - start) : 0;

    bool claimed = false;
    if (block_ && block_->Unique()) {
        // Bytes another copy appended before it went are nobody's now.
        const std::size_t capacity = block_->memory.capacity();
        if (needed > capacity && !block_->memory.Grow(GrownCapacity(capacity, needed), size_))
            throw std::bad_alloc();
        block_->used.store(needed, std::memory_order_relaxed);
        claimed = true;
    } else if (block_ && needed <= block_->memory.capacity()) {
        std::size_t end = size_;
        claimed = block_->used.compare_exchange_strong(end, needed, std::memory_order_relaxed);
    }
    if (!claimed) {
        TakeOwnBytes(GrownCapacity(block_ ? block_->memory.capacity() : 0, needed));
        block_->used.store(needed, std::memory_order_relaxed);
    }
    char* const target = block_->memory.data();
    std::memmove(target + size_, fromHere ? target + offset : bytes.data(), bytes.size());
    size_ = needed;
}

void RowBytes::assign(std::size_t count, char c)
{
    clear();
    if (count == 0)
        return;
    TakeOwnBytes(count);
    std::memset(block_->memory.data(), static_cast<unsigned char>(c), count);
    block_->used.store(count, std::memory_order_relaxed);
    size_ = count;
}

void RowBytes::clear() { Drop(); }

std::ostream& operator<<(std::ostream& out, const RowBytes& bytes) { return out << bytes.view(); }

}  // namespace baudrill
