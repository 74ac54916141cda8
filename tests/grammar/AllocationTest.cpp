// Making a context and running a rule without choices or values allocates
// nothing: the decoder makes a fresh context for every tail it tries.

#include "grammar/BNFarticle.h"
#include "grammar/BNFcode.h"
#include "grammar/ComposeContext.h"
#include "grammar/ParseContext.h"

#include "tests/support/grammar/TestActions.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<long> allocations{0};

void* CountedAlloc(std::size_t size)
{
    ++allocations;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}

}  // namespace

void* operator new(std::size_t size) { return CountedAlloc(size); }
void* operator new[](std::size_t size) { return CountedAlloc(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace baudrill {
namespace {

TEST(Allocation, ContextsAndStraightRunsAllocateNothing)
{
    BNFarticle rule;
    rule.InsertTerminal("AB").InsertTerminal("C");
    const std::string input = "ABCD";
    long before = allocations.load();
    {
        ParseContext parse(input);
        EXPECT_TRUE(rule.Parse(parse));
        EXPECT_EQ(parse.state.pos, 3);
        ComposeContext compose;
        EXPECT_TRUE(rule.Compose(compose));
        EXPECT_EQ(compose.state.output, "ABC");
    }
    EXPECT_EQ(allocations.load(), before);
}

TEST(Allocation, IntRegistersLiveInTheContext)
{
    // Counters and checksum bounds are int registers: a run that pushes,
    // counts down and pops them needs no heap memory.
    test::RegisterTestActions();
    BNFarticle rule;
    rule.InsertCode(BNFcode("t_push", Value(3)))
        .InsertCode(BNFcode("t_push", Value(1)))
        .InsertCode(BNFcode("t_dec", Value(0)))
        .InsertCode(BNFcode("t_pop", Value(0)))
        .InsertCode(BNFcode("t_dec", Value(0)))
        .InsertTerminal("A");
    const std::string input = "A";
    {
        ParseContext warm(input);  // the first run looks the actions up
        ASSERT_TRUE(rule.Parse(warm));
    }
    long before = allocations.load();
    {
        ParseContext parse(input);
        ASSERT_TRUE(rule.Parse(parse));
        EXPECT_EQ(*parse.state.intRegs(9).Top(), 2);
        ComposeContext compose;
        ASSERT_TRUE(rule.Compose(compose));
        EXPECT_EQ(*compose.state.intRegs(9).Top(), 2);
    }
    EXPECT_EQ(allocations.load(), before);
}

}  // namespace
}  // namespace baudrill
