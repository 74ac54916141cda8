#include "serial/Fifo.h"

#include <gtest/gtest.h>

#include <deque>
#include <random>
#include <string>

#include "tests/support/NamedCase.h"

namespace baudrill {
namespace {

TEST(FifoTest, HoldsOneByteLessThanItsSize)
{
    fifo buffer(256);
    for (int i = 0; i < 255; ++i)
        ASSERT_EQ(buffer.PushByte(static_cast<char>(i)), 1) << i;
    EXPECT_EQ(buffer.PushByte('x'), 0);
    EXPECT_EQ(buffer.Count(), 255);
    char c = 0;
    ASSERT_EQ(buffer.PopByte(&c), 1);
    EXPECT_EQ(c, 0);
    EXPECT_EQ(buffer.PushByte('y'), 1);  // the write position wraps to the start
    EXPECT_EQ(buffer.Count(), 255);
    EXPECT_EQ(buffer.PushBytes("zz", 2), 0);
}

TEST(FifoTest, EmptyAndResetBuffers)
{
    fifo buffer(8);
    char out[8];
    EXPECT_EQ(buffer.PopByte(out), 0);
    EXPECT_EQ(buffer.PopBytes(out, 0), 0);
    EXPECT_EQ(buffer.PushBytes("abcdefghij", 10), 7);
    EXPECT_EQ(buffer.PopBytes(out, 3), 3);
    buffer.Reset();
    EXPECT_EQ(buffer.Count(), 0);
    EXPECT_EQ(buffer.PopBytes(out, 8), 0);
}

// Random pushes and pops across many wraps, against a deque that holds at most size - 1.
struct SizeCase : test::NamedCase {
    int size;
};

class FifoModel : public ::testing::TestWithParam<SizeCase> {};

TEST_P(FifoModel, MatchesADequeUnderRandomOperations)
{
    const int size = GetParam().size;
    fifo buffer(size);
    std::deque<char> model;
    std::mt19937 random(static_cast<unsigned>(size) * 7919u);
    auto below = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    char next = 0;
    for (int step = 0; step < 20000; ++step) {
        int op = below(10);
        if (op < 3) {  // PushByte
            int stored = buffer.PushByte(next);
            bool fits = static_cast<int>(model.size()) < size - 1;
            ASSERT_EQ(stored, fits ? 1 : 0);
            if (fits)
                model.push_back(next);
            ++next;
        } else if (op < 5) {  // PushBytes
            int n = below(2 * size + 1);
            std::string data;
            for (int i = 0; i < n; ++i)
                data += next++;
            int stored = buffer.PushBytes(data.data(), n);
            int room = size - 1 - static_cast<int>(model.size());
            ASSERT_EQ(stored, std::min(n, room));
            model.insert(model.end(), data.begin(), data.begin() + stored);
        } else if (op < 7) {  // PopByte
            char c = 0;
            int taken = buffer.PopByte(&c);
            ASSERT_EQ(taken, model.empty() ? 0 : 1);
            if (taken) {
                ASSERT_EQ(c, model.front());
                model.pop_front();
            }
        } else if (op < 9) {  // PopBytes
            int n = below(2 * size + 1);
            std::string out(static_cast<std::size_t>(n), '\0');
            int taken = buffer.PopBytes(out.data(), n);
            ASSERT_EQ(taken, std::min(n, static_cast<int>(model.size())));
            for (int i = 0; i < taken; ++i) {
                ASSERT_EQ(out[static_cast<std::size_t>(i)], model.front());
                model.pop_front();
            }
        } else if (below(50) == 0) {
            buffer.Reset();
            model.clear();
        }
        ASSERT_EQ(buffer.Count(), static_cast<int>(model.size())) << "step " << step;
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, FifoModel,
                         ::testing::Values(SizeCase{"Size1", 1}, SizeCase{"Size2", 2}, SizeCase{"Size3", 3},
                                           SizeCase{"Size16", 16}, SizeCase{"Size256", 256}),
                         test::CaseName<SizeCase>);

}  // namespace
}  // namespace baudrill
