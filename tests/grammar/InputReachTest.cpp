// How far a parse looked: one past the furthest input position that an element
// or action read or tested, end-of-input tests included. A run that stayed
// within its input gives the same result on any longer input.

#include "grammar/BNFarticle.h"
#include "grammar/ParseContext.h"
#include "grammar/compiler/ArticleFactory.h"
#include "grammar/compiler/GrammarBuiltins.h"
#include "tests/support/NamedCase.h"

#include <gtest/gtest.h>

#include <string>

namespace baudrill {
namespace {

struct ReachCase : test::NamedCase {
    const char* rule;
    std::string input;
    bool matched;
    std::size_t reach;  // past the input's length: the run looked at its end
};

class InputReach : public ::testing::TestWithParam<ReachCase> {
protected:
    static void SetUpTestSuite() { InitGrammarBuiltins(); }
};

TEST_P(InputReach, IsTheFurthestPositionLookedAt)
{
    const ReachCase& c = GetParam();
    const BNFarticle& rule = *CreateArticle("reach_test", c.name, c.rule);
    ParseContext ctx(c.input);
    EXPECT_EQ(rule.Parse(ctx), c.matched);
    EXPECT_EQ(ctx.Reach(), c.reach);
    EXPECT_EQ(ctx.ReachedEnd(), c.reach > c.input.size());

    // The same run on the input with more bytes after it gives the same result
    // when it did not look at the end.
    if (!ctx.ReachedEnd()) {
        const std::string longer = c.input + "\x7F\x7F";
        ParseContext again(longer);
        EXPECT_EQ(rule.Parse(again), c.matched);
        EXPECT_EQ(again.Reach(), c.reach);
    }
}

const ReachCase ReachCases[] = {
    {"LiteralThatMatches", "\"AB\"", "ABC", true, 2},
    {"LiteralCutByTheEnd", "\"AB\"", "A", false, 2},
    {"LiteralThatDiffers", "\"AB\"", "AX", false, 2},
    {"FixedFieldsBeyondTheEnd", "byte word", "\x01\x02", false, 3},
    {"DigitsStoppedByALetter", "str_int", "12x", true, 3},
    {"DigitsUpToTheEnd", "str_int", "12", true, 3},
    {"HexDigitsStoppedByALetter", "str_int", "0x1fz", true, 5},
    {"ClosedQuote", "str_quoted", "\"a\\22b\"c", true, 7},
    {"QuoteLeftOpen", "str_quoted", "\"ab", false, 4},
    {"FloatStoppedByABlank", "str_float", "1.5 ", true, 4},
    {"PrintableTextStoppedByAControlByte", "str_nonctrl", "ab\x01", true, 3},
    {"HexCountWithinTheInput", "hex:2", "1F0", true, 2},
    {"CountedLoopThatFailsBeforeTheEnd", "byte set_rep {rep byte} \"Z\"", "\x02\xAA\xBBQZ", false, 4},
    {"CountedLoopCutByTheEnd", "byte set_rep {rep byte} \"Z\"", "\x05\xAA\xBB", false, 4},
    {"ChecksumThatDiffers", "crc_start byte crc_end crc_modbus any any", "\x01\x00\x00\x55", false, 3},
    {"OptionThatFailsInside", "[\"A\" \"B\"] \"C\"", "ACD", false, 2},
    {"LoopToTheEnd", "{byte}", "abc", true, 4},
};
INSTANTIATE_TEST_SUITE_P(Rules, InputReach, ::testing::ValuesIn(ReachCases), test::CaseName<ReachCase>);

}  // namespace
}  // namespace baudrill
