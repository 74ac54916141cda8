// Decoding a row with a protocol: whole, or the longest tail when starting junk is ignored;
// chunk by chunk, trying again only the starts still open, with the budget as a backstop.

#include "monitor/traffic/RowDecoder.h"

#include "grammar/BNFarticle.h"
#include "grammar/GrammarRegistry.h"
#include "grammar/RunControl.h"
#include "grammar/compiler/ArticleFactory.h"
#include "grammar/compiler/GrammarBuiltins.h"
#include "monitor/traffic/LogLine.h"
#include "tests/support/NamedCase.h"

#include <gtest/gtest.h>

#include <random>

namespace baudrill {
namespace {

class RowDecoderTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { InitGrammarBuiltins(); }

    static const BNFarticle& Rule(const std::string& text) { return *CreateArticle("rowdecoder_test", "rule", text); }
    static LogLine Row(std::string data)
    {
        LogLine row;
        row.direction = RowReceived;
        row.data = std::move(data);
        row.timeText = "00:01.000";
        return row;
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
    RowDecoding d = DecodeRow(Rule(c.rule), Row(c.row), c.ignoreStarting);
    EXPECT_EQ(d.decoded, c.decoded);
    EXPECT_FALSE(d.budgetExhausted);
    if (c.decoded) {
        EXPECT_EQ(d.values, c.values);
        EXPECT_EQ(d.start, c.start);
    }
}

const DecodeCase DecodeCases[] = {
    {"WholeRow", "\"AB\" byte", "AB\x05", false, true, {Value(5)}, 0},
    {"JunkRefusedWhenNotIgnored", "\"AB\" byte", "xyAB\x05", false, false, {}, 0},
    {"JunkSkippedWhenIgnored", "\"AB\" byte", "xyAB\x05", true, true, {Value(5)}, 2},
    // Both "AA\x07" (from 1) and "A\x07" (from 2) parse: the longest tail wins.
    {"LongestTailWins", "\"A\" byte", "zAA\x07", true, true, {Value(0x41)}, 1},
    {"NoTailMatches", "\"AB\" byte", "xyz", true, false, {}, 0},
    {"EmptyRowIgnoringNothing", "\"AB\" byte", "", true, false, {}, 0},
    {"FrameBehindMoreThan4KiB", "\"AB\" byte", std::string(5000, 'x') + "AB\x06", true, true, {Value(6)}, 5000},
};
INSTANTIATE_TEST_SUITE_P(Rows, RowDecoderCases, ::testing::ValuesIn(DecodeCases), test::CaseName<DecodeCase>);

// After every chunk the decoding equals that of the whole row decoded afresh, for rules that
// close starts early, late, never, match for good or match only until more bytes come.
TEST_F(RowDecoderTest, ChunkByChunkEqualsTheWholeRowDecodedAfresh)
{
    const char* const rules[] = {
        "\"AB\" byte",
        "byte set_rep {rep byte} \"Z\"",
        "crc_start byte byte byte set_rep {rep byte} crc_end crc_modbus any any",
        "{byte} \"Z\"",
        "\"A\" {\"A\"}",
        "str_int [\";\" str_quoted]",
        "(\"Q\" byte | \"R\" word) [\"!\"]",
        "byte set_rep {rep \"A\"} [\"B\" | \"C\" BNFend]",
    };
    std::mt19937 random(2024);
    for (const char* text : rules) {
        const BNFarticle& rule = Rule(text);
        for (int round = 0; round < 40; ++round) {
            SCOPED_TRACE(::testing::Message() << text << ", round " << round);
            const bool ignoreStarting = round % 4 != 0;
            LogLine row = Row("");
            RowDecoder decoder;
            const int chunks = 1 + static_cast<int>(random() % 12);
            for (int chunk = 0; chunk < chunks; ++chunk) {
                for (int k = 1 + static_cast<int>(random() % 9); k > 0; --k)
                    row.data += std::string(1, "ABQRZ!;\"\x02\x03\x01\xFF"[random() % 12]);
                const RowDecoding step = decoder.Decode(rule, row, ignoreStarting, DefaultStepBudget);
                const RowDecoding fresh = DecodeRow(rule, row, ignoreStarting, DefaultStepBudget);
                ASSERT_FALSE(step.budgetExhausted || fresh.budgetExhausted);
                ASSERT_EQ(step.decoded, fresh.decoded) << "row " << ::testing::PrintToString(row.data);
                if (fresh.decoded) {
                    EXPECT_EQ(step.start, fresh.start);
                    EXPECT_EQ(step.values, fresh.values);
                }
            }
        }
    }
}

// Starts whose runs failed before the row's end are not tried again: a chunk costs what its
// own bytes and the starts still open cost, however long the row already is.
TEST_F(RowDecoderTest, AChunkTriesOnlyTheStartsStillOpen)
{
    const BNFarticle& rule = Rule("\"AB\" byte");
    LogLine row = Row(std::string(20000, 'x'));
    RowDecoder decoder;
    EXPECT_FALSE(decoder.Decode(rule, row, true).decoded);
    row.data += "xA";
    constexpr std::int64_t FewSteps = 200;  // far fewer than a run per start of the row
    const RowDecoding more = decoder.Decode(rule, row, true, FewSteps);
    EXPECT_FALSE(more.budgetExhausted);
    EXPECT_FALSE(more.decoded);
    row.data += "B\x09";
    const RowDecoding frame = decoder.Decode(rule, row, true, FewSteps);
    EXPECT_TRUE(frame.decoded);
    EXPECT_EQ(frame.start, 20001u);
    EXPECT_EQ(frame.values, (ValueList{Value(9)}));
    EXPECT_TRUE(DecodeRow(rule, row, true, FewSteps).budgetExhausted);  // afresh: every start
}

// A frame matched without looking at the row's end stays the decoding, with its values, while
// the row grows; earlier starts still open could yet match, later ones need no run.
TEST_F(RowDecoderTest, AMatchThatIsSettledStaysWhileTheRowGrows)
{
    const BNFarticle& rule = Rule("\"A\" byte");
    LogLine row = Row("zA\x07");
    RowDecoder decoder;
    RowDecoding first = decoder.Decode(rule, row, true);
    ASSERT_TRUE(first.decoded);
    EXPECT_EQ(first.start, 1u);
    row.data += std::string(50000, 'A');
    const RowDecoding later = decoder.Decode(rule, row, true, 100);
    EXPECT_TRUE(later.decoded);
    EXPECT_EQ(later.start, 1u);
    EXPECT_EQ(later.values, first.values);
}

// Another row, another protocol or a changed grammar starts afresh.
TEST_F(RowDecoderTest, AnotherRowOrProtocolStartsAfresh)
{
    const BNFarticle& ab = Rule("\"AB\" byte");
    LogLine row = Row("xAB");
    RowDecoder decoder;
    EXPECT_FALSE(decoder.Decode(ab, row, true).decoded);
    LogLine other = Row("AB\x01");
    EXPECT_TRUE(decoder.Decode(ab, other, true).decoded);  // a new row is tried from its start
    other.timeText = "00:02.000";                          // a row in the same place, but another one
    other.data = "\x05";
    EXPECT_FALSE(decoder.Decode(ab, other, true).decoded);
    other.data =
        "\x05"
        "AB\x02";
    EXPECT_TRUE(decoder.Decode(ab, other, true).decoded);

    const BNFarticle& x = Rule("\"x\" byte");
    row.data = "xAB";
    EXPECT_TRUE(decoder.Decode(x, row, true).decoded);

    // A protocol whose part is removed runs otherwise: starts it had closed are open again.
    const BNFarticle* part = CreateArticle("rowdecoder_test", "part", "\"Q\"");
    const BNFarticle& whole = Rule("<rowdecoder_test::part> byte");
    EXPECT_FALSE(decoder.Decode(whole, row, true).decoded);
    ArticleNamespace* space = GrammarRegistry::Instance().FindNamespace("rowdecoder_test");
    ASSERT_TRUE(space->Remove(space->Find(part->uid)));
    const RowDecoding missingPart = decoder.Decode(whole, row, true);
    EXPECT_TRUE(missingPart.decoded);  // a missing article matches the empty text
    EXPECT_EQ(missingPart.start, 0u);
}

// The backstop: a rule that reads to the row's end from every start keeps every start open.
// On a short row its runs fit the budget and the decoding is exact; on a long one they spend
// it, on every chunk: the row is then not decoded, and the window stays responsive.
TEST_F(RowDecoderTest, ARuleThatReadsToTheEndFromEveryStartSpendsTheBudget)
{
    const BNFarticle& rule = Rule("{byte} \"Z\"");
    LogLine row = Row(std::string(300, 'y'));
    RowDecoder decoder;
    const RowDecoding shortRow = decoder.Decode(rule, row, true);
    EXPECT_FALSE(shortRow.decoded);
    EXPECT_FALSE(shortRow.budgetExhausted);

    row.data.append(std::string(4000, 'y'));
    for (int chunk = 0; chunk < 3; ++chunk) {
        const RowDecoding longRow = decoder.Decode(rule, row, true);
        EXPECT_FALSE(longRow.decoded);
        EXPECT_TRUE(longRow.budgetExhausted);
        row.data += "yy";
    }
}

}  // namespace
}  // namespace baudrill
