// Decoding a row with a protocol: whole, or the longest tail when starting junk is ignored,
// bounded in window and steps.

#include "monitor/port/RowDecoder.h"

#include "grammar/BNFarticle.h"
#include "grammar/compiler/ArticleFactory.h"
#include "grammar/compiler/GrammarBuiltins.h"
#include "tests/support/NamedCase.h"

#include <gtest/gtest.h>

#include <chrono>

namespace baudrill {
namespace {

class RowDecoderTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { InitGrammarBuiltins(); }

    static const BNFarticle& Rule(const std::string& text)
    {
        return *CreateArticle("rowdecoder_test", "rule", text);
    }
};

struct DecodeCase : test::NamedCase {
    const char* rule;
    std::string row;
    bool ignoreStarting;
    bool decoded;
    ValueList values;
    std::size_t start;
};

class RowDecoderCases : public RowDecoderTest, public ::testing::WithParamInterface<DecodeCase> {};

TEST_P(RowDecoderCases, Decodes)
{
    const DecodeCase& c = GetParam();
    RowDecoding d = DecodeRow(Rule(c.rule), c.row, c.ignoreStarting);
    EXPECT_EQ(d.decoded, c.decoded);
    EXPECT_FALSE(d.budgetExhausted);
    if (c.decoded) {
        EXPECT_EQ(d.values, c.values);
        EXPECT_EQ(d.start, c.start);
    }
}

const DecodeCase kDecodeCases[] = {
    {"WholeRow", "\"AB\" byte", "AB\x05", false, true, {Value(5)}, 0},
    {"JunkRefusedWhenNotIgnored", "\"AB\" byte", "xyAB\x05", false, false, {}, 0},
    {"JunkSkippedWhenIgnored", "\"AB\" byte", "xyAB\x05", true, true, {Value(5)}, 2},
    // Both "AA\x07" (from 1) and "A\x07" (from 2) parse: the longest tail wins.
    {"LongestTailWins", "\"A\" byte", "zAA\x07", true, true, {Value(0x41)}, 1},
    {"NoTailMatches", "\"AB\" byte", "xyz", true, false, {}, 0},
    {"EmptyRowIgnoringNothing", "\"AB\" byte", "", true, false, {}, 0},
    // A frame that starts before the last 4096 bytes is no longer looked for.
    {"OnlyTheLastWindowIsTried", "\"AB\" byte", "AB\x05" + std::string(IgnoreStartingWindow, 'x'), true, false,
     {}, 0},
    {"FrameInsideTheWindow", "\"AB\" byte", std::string(IgnoreStartingWindow, 'x') + "AB\x06", true, true,
     {Value(6)}, IgnoreStartingWindow},
};
INSTANTIATE_TEST_SUITE_P(Rows, RowDecoderCases, ::testing::ValuesIn(kDecodeCases),
                         test::CaseName<DecodeCase>);

// A counted loop over 4 KiB of junk costs about four million steps for all its tails, more than
// the budget of one chunk: decoding gives up, reports no match, and does so quickly.
TEST_F(RowDecoderTest, JunkRowStopsWhenTheBudgetRunsOut)
{
    const BNFarticle& counted = Rule("byte set_rep {rep byte} \"Z\"");
    const std::string junk(IgnoreStartingWindow, '\xFF');
    const auto begin = std::chrono::steady_clock::now();
    RowDecoding d = DecodeRow(counted, junk + "\x01\x07Z", true);
    EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(5));
    EXPECT_FALSE(d.decoded);
    EXPECT_TRUE(d.budgetExhausted);
    EXPECT_TRUE(d.values.empty());

    // With budget enough the search goes on to the tails near the end, where the loop can reach
    // the "Z" (the longest such tail is one of 0xFF bytes that counts over the rest).
    RowDecoding unbounded = DecodeRow(counted, junk + "\x01\x07Z", true, 10'000'000);
    EXPECT_TRUE(unbounded.decoded);
    EXPECT_FALSE(unbounded.budgetExhausted);
    EXPECT_GT(unbounded.start, IgnoreStartingWindow - 300);
}

TEST_F(RowDecoderTest, BudgetIsSharedByTheTailsOfOneRow)
{
    // Every tail alone fits in the budget (a tail costs at most a few thousand steps)...
    const BNFarticle& counted = Rule("byte set_rep {rep byte} \"Z\"");
    const std::string junk(IgnoreStartingWindow, '\xFF');
    EXPECT_FALSE(DecodeRow(counted, junk.substr(0, 300), false).budgetExhausted);
    // ...but not all of them together.
    EXPECT_TRUE(DecodeRow(counted, junk, true).budgetExhausted);
}

}  // namespace
}  // namespace baudrill
