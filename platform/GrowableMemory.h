#pragma once

#include <cstddef>

namespace baudrill::platform {

// A block of bytes that grows without copying what it holds: a large block lives in an
// anonymous mapping that the system enlarges in place or moves page by page (mremap), so
// making it larger costs about the same for a few megabytes as for a few gigabytes. A small
// block lives on the heap, where copying it costs little. Pages that were never written take
// no memory, so the room a block keeps ahead of its bytes is cheap.
// Not thread-safe: its owner serialises every call, and nothing may read the block while it
// grows (the bytes may move).
class GrowableMemory {
public:
    // Blocks from this capacity on are mapped.
    static constexpr std::size_t MappedFrom = 256 * 1024;

    GrowableMemory() = default;
    GrowableMemory(const GrowableMemory&) = delete;
    GrowableMemory& operator=(const GrowableMemory&) = delete;
    GrowableMemory(GrowableMemory&& other) noexcept;
    GrowableMemory& operator=(GrowableMemory&& other) noexcept;
    ~GrowableMemory();

    char* data() const { return bytes_; }
    std::size_t capacity() const { return capacity_; }

    // Makes room for at least `capacity` bytes; the first `keep` bytes (at most the capacity
    // the block had) keep their values. False when the system has no memory for it: the block
    // is then as it was.
    bool Grow(std::size_t capacity, std::size_t keep);

private:
    void Release();

    char* bytes_ = nullptr;
    std::size_t capacity_ = 0;
    bool mapped_ = false;
};

}  // namespace baudrill::platform
