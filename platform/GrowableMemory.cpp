#include "platform/GrowableMemory.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace baudrill::platform {

namespace {

std::size_t PageRounded(std::size_t bytes)
{
    static const std::size_t page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    return bytes > SIZE_MAX - page ? 0 : (bytes + page - 1) / page * page;
}

}  // namespace

GrowableMemory::GrowableMemory(GrowableMemory&& other) noexcept
    : bytes_(std::exchange(other.bytes_, nullptr)), capacity_(std::exchange(other.capacity_, 0)),
      mapped_(std::exchange(other.mapped_, false))
{
}

GrowableMemory& GrowableMemory::operator=(GrowableMemory&& other) noexcept
{
    if (this != &other) {
        Release();
        bytes_ = std::exchange(other.bytes_, nullptr);
        capacity_ = std::exchange(other.capacity_, 0);
        mapped_ = std::exchange(other.mapped_, false);
    }
    return *this;
}

GrowableMemory::~GrowableMemory() { Release(); }

void GrowableMemory::Release()
{
    if (mapped_)
        munmap(bytes_, capacity_);
    else
        std::free(bytes_);
    bytes_ = nullptr;
    capacity_ = 0;
    mapped_ = false;
}

bool GrowableMemory::Grow(std::size_t capacity, std::size_t keep)
{
    if (capacity <= capacity_)
        return true;
    if (capacity < MappedFrom && !mapped_) {
        void* grown = std::realloc(bytes_, capacity);
        if (!grown)
            return false;
        bytes_ = static_cast<char*>(grown);
        capacity_ = capacity;
        return true;
    }
    const std::size_t size = PageRounded(capacity);
    if (size == 0)
        return false;
    if (mapped_) {
        // The kernel moves the pages themselves: no byte is copied.
        void* grown = mremap(bytes_, capacity_, size, MREMAP_MAYMOVE);
        if (grown == MAP_FAILED)
            return false;
        bytes_ = static_cast<char*>(grown);
        capacity_ = size;
        return true;
    }
    void* mapping = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapping == MAP_FAILED)
        return false;
    // The one copy a block ever makes: from the heap, at most MappedFrom bytes.
    if (keep > 0)
        std::memcpy(mapping, bytes_, std::min(keep, capacity_));
    std::free(bytes_);
    bytes_ = static_cast<char*>(mapping);
    capacity_ = size;
    mapped_ = true;
    return true;
}

}  // namespace baudrill::platform
