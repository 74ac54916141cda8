#include "platform/GrowableMemory.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>

namespace baudrill::platform {
namespace {

// Fills the first `count` bytes with a pattern that differs from byte to byte.
void Fill(GrowableMemory& memory, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i)
        memory.data()[i] = static_cast<char>(i * 7 + 3);
}

bool Holds(const GrowableMemory& memory, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i)
        if (memory.data()[i] != static_cast<char>(i * 7 + 3))
            return false;
    return true;
}

TEST(GrowableMemory, KeepsItsBytesFromTheHeapIntoAMappingAndAsTheMappingGrows)
{
    GrowableMemory memory;
    EXPECT_EQ(memory.capacity(), 0u);
    ASSERT_TRUE(memory.Grow(100, 0));
    EXPECT_GE(memory.capacity(), 100u);
    Fill(memory, 100);

    // From the heap into a mapping; then the mapping grows, far past its first size.
    std::size_t kept = 100;
    for (const std::size_t capacity : {GrowableMemory::MappedFrom - 1, GrowableMemory::MappedFrom + 1,
                                       std::size_t{8} << 20, std::size_t{64} << 20}) {
        ASSERT_TRUE(memory.Grow(capacity, kept)) << capacity;
        EXPECT_GE(memory.capacity(), capacity);
        EXPECT_TRUE(Holds(memory, kept)) << "grown to " << capacity;
        Fill(memory, capacity);
        kept = capacity;
    }
    // The last pages too: the whole capacity is writable.
    memory.data()[memory.capacity() - 1] = 'z';
}

TEST(GrowableMemory, AskingForLessChangesNothing)
{
    GrowableMemory memory;
    ASSERT_TRUE(memory.Grow(GrowableMemory::MappedFrom * 2, 0));
    char* const bytes = memory.data();
    const std::size_t capacity = memory.capacity();
    EXPECT_TRUE(memory.Grow(10, 10));
    EXPECT_EQ(memory.data(), bytes);
    EXPECT_EQ(memory.capacity(), capacity);
}

TEST(GrowableMemory, RefusesMoreThanTheSystemCanGiveAndStaysAsItWas)
{
    GrowableMemory memory;
    ASSERT_TRUE(memory.Grow(GrowableMemory::MappedFrom, 0));
    Fill(memory, GrowableMemory::MappedFrom);
    char* const bytes = memory.data();
    EXPECT_FALSE(memory.Grow(SIZE_MAX - 10, GrowableMemory::MappedFrom));
    EXPECT_FALSE(memory.Grow(std::size_t{1} << 62, GrowableMemory::MappedFrom));
    EXPECT_EQ(memory.data(), bytes);
    EXPECT_TRUE(Holds(memory, GrowableMemory::MappedFrom));
}

TEST(GrowableMemory, MovingHandsTheBytesOver)
{
    GrowableMemory first;
    ASSERT_TRUE(first.Grow(GrowableMemory::MappedFrom * 2, 0));
    Fill(first, 1000);
    GrowableMemory second(std::move(first));
    EXPECT_EQ(first.data(), nullptr);
    EXPECT_EQ(first.capacity(), 0u);
    EXPECT_TRUE(Holds(second, 1000));

    GrowableMemory third;
    ASSERT_TRUE(third.Grow(10, 0));
    third = std::move(second);
    EXPECT_TRUE(Holds(third, 1000));
}

}  // namespace
}  // namespace baudrill::platform
