#include "grammar/SmallStack.h"

#include <gtest/gtest.h>

#include <string>

namespace baudrill {
namespace {

// Entries cross from the in-place part to the heap part and back.
TEST(SmallStackTest, EntriesKeepTheirOrderAcrossTheInPlacePart)
{
    detail::SmallStack<std::string, 3> stack;
    for (int i = 0; i < 8; ++i)
        stack.push_back(std::string(20, static_cast<char>('a' + i)));  // long enough for the heap
    ASSERT_EQ(stack.size(), 8u);
    for (std::size_t i = 0; i < 8; ++i)
        EXPECT_EQ(stack[i], std::string(20, static_cast<char>('a' + i))) << i;
    EXPECT_EQ(stack.back(), std::string(20, 'h'));

    const detail::SmallStack<std::string, 3> copy = stack;
    for (int left = 8; left > 0; --left) {
        EXPECT_EQ(stack.back(), std::string(20, static_cast<char>('a' + left - 1)));
        stack.pop_back();
    }
    EXPECT_TRUE(stack.empty());
    stack.push_back("again");
    EXPECT_EQ(stack.back(), "again");
    stack.clear();
    EXPECT_TRUE(stack.empty());

    ASSERT_EQ(copy.size(), 8u);  // the copy kept everything
    EXPECT_EQ(copy[2], std::string(20, 'c'));
    EXPECT_EQ(copy[7], std::string(20, 'h'));
}

}  // namespace
}  // namespace baudrill
