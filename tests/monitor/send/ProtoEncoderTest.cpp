// The PROTO encoder: entry text to values, values composed by a protocol of "BNF".
#include "monitor/send/ComposedBytes.h"
#include "monitor/send/ProtoEncoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grammar/BNFarticle.h"
#include "grammar/ComposeState.h"
#include "grammar/GrammarRegistry.h"
#include "grammar/compiler/ArticleFactory.h"
#include "grammar/compiler/GrammarBuiltins.h"
#include "monitor/send/SendEncoders.h"

namespace baudrill {
namespace {

using namespace std::string_literals;

class ProtoEncoder : public ::testing::Test {
protected:
    static void SetUpTestSuite() { InitGrammarBuiltins(); }

    static Uuid Protocol(const char* name, const char* rule) { return CreateArticle("BNF", name, rule)->uid; }

    struct Encoded {
        std::string bytes = "stale";
        std::string preview = "stale";
    };
    static Encoded Encode(const std::string& text, const Uuid& protocol)
    {
        Encoded e;
        EncodeProto(text, protocol, e.bytes, e.preview);
        return e;
    }
};

TEST_F(ProtoEncoder, ReadsFloatsIntsAndQuotedStringsInOrder)
{
    ValueList values;
    ASSERT_TRUE(ParseValueList(" 1.5 12\t\"ab\" ", values));
    ASSERT_EQ(values.size(), 3u);
    EXPECT_TRUE(values[0].IsDouble());
    EXPECT_EQ(values[0].GetDouble(), 1.5);
    EXPECT_TRUE(values[1].IsInt());
    EXPECT_EQ(values[1].GetInt(), 12);
    EXPECT_TRUE(values[2].IsString());
    EXPECT_EQ(values[2].GetString(), "ab");

    // Everything after an item that no action accepts is ignored.
    ASSERT_TRUE(ParseValueList("7 x 8", values));
    EXPECT_EQ(values, (ValueList{Value(7)}));
    ASSERT_TRUE(ParseValueList("", values));
    EXPECT_TRUE(values.empty());
}

// The entry is composed on every keystroke: a protocol that loops without end composes
// nothing once the budget of the entry's runs is spent, and a long entry shares it.
TEST_F(ProtoEncoder, RunsEndWithinTheirShareOfOneBudget)
{
    const Encoded endless = Encode("1", Protocol("endless", "{crc_start}"));
    EXPECT_EQ(endless.bytes, "");
    EXPECT_EQ(endless.preview, "");

    std::int64_t stepsLeft = 1000;
    ValueList values;
    EXPECT_FALSE(ParseValueList(std::string(2000, '1') + " 2", values, stepsLeft));
    EXPECT_LE(stepsLeft, 0);
    stepsLeft = GuiRunStepBudget;
    ASSERT_TRUE(ParseValueList("1 2", values, stepsLeft));
    std::string bytes;
    const std::int64_t afterParse = stepsLeft;
    EXPECT_TRUE(ComposeFrame(*CreateArticle("BNF", "pair", "byte byte"), values, bytes, stepsLeft));
    EXPECT_EQ(bytes, "\x01\x02");
    EXPECT_LT(stepsLeft, afterParse);
}

TEST_F(ProtoEncoder, ComposesTheValuesWithTheProtocol)
{
    const Uuid id = Protocol("pe_frame", "byte byte byte");
    const Encoded e = Encode("1 2 255", id);
    EXPECT_EQ(e.bytes, "\x01\x02\xFF");
    EXPECT_EQ(e.preview, "[+70C 01 02 FF]");
}

TEST_F(ProtoEncoder, TheValueListArticleIsMadeOnceAsABuiltIn)
{
    const BNFarticle& article = ValueListArticle();
    EXPECT_EQ(article.name, "BNFPROTOvarsParser");
    EXPECT_EQ(&ValueListArticle(), &article);
    const auto* space = GrammarRegistry::Instance().FindNamespace("BNF");
    ASSERT_NE(space, nullptr);
    EXPECT_EQ(space->Get(article.uid), &article);
}

TEST_F(ProtoEncoder, GivesNothingWithoutAProtocolOrAComposedFrame)
{
    const Uuid bytesOnly = Protocol("pe_bytes", "byte byte");
    const Uuid gone = Protocol("pe_gone", "byte");
    auto& space = GrammarRegistry::Instance().GetAdd("BNF");
    ASSERT_TRUE(space.Remove(space.Find(gone)));

    struct Case {
        const char* what;
        std::string text;
        Uuid protocol;
    };
    const std::vector<Case> cases = {
        {"no protocol", "1 2", Uuid()},
        {"deleted protocol", "1", gone},
        {"a protocol that was never there", "1", Uuid::Create()},
        {"too few values", "1", bytesOnly},
        {"a string where bytes belong", "\"ab\" 1", bytesOnly},
    };
    for (const Case& c : cases) {
        const Encoded e = Encode(c.text, c.protocol);
        EXPECT_EQ(e.bytes, "") << c.what;
        EXPECT_EQ(e.preview, "") << c.what;
    }
}

TEST_F(ProtoEncoder, ResolvesTheEscapesThatStrQuotedWrites)
{
    const Uuid quoted = Protocol("pe_quoted", "str_quoted");
    const Encoded e = Encode("\"a\\0Ab\"", quoted);
    EXPECT_EQ(e.bytes, "\"a\nb\"");  // 22 61 0A 62 22
    EXPECT_EQ(e.preview, "[+70C 22 61 0A 62 22]");
    // A backslash of the string itself is no escape the compose wrote: it goes out as it is.
    EXPECT_EQ(Encode("\"x\\\\41\"", quoted).bytes, "\"x\\41\"");
    EXPECT_EQ(Encode("\"\\00\\1F\"", quoted).bytes, "\"\x00\x1F\""s);
}

TEST_F(ProtoEncoder, SendsOtherBackslashBytesUnchanged)
{
    // A composed 0x5C followed by "41" stays three bytes.
    const Uuid bytes = Protocol("pe_backslash", "byte byte byte");
    EXPECT_EQ(Encode("92 52 49", bytes).bytes, "\\41");
    // The CRC of the byte 0x2E is 5C3F: its high byte, sent last but one here, is a backslash.
    const Uuid crc = Protocol("pe_crc", "crc_start byte crc_end crc_modbus byte byte");
    const Encoded e = Encode("46 52 49", crc);
    EXPECT_EQ(e.bytes, "\x2E\x3F\x5C\x34\x31");
    EXPECT_EQ(e.preview, "[+70C 2E 3F 5C 34 31]");
}

TEST_F(ProtoEncoder, AnEscapeOfABranchThatFailedIsNotResolved)
{
    // The first branch writes the escape at offset 2 and then fails for want of a byte value;
    // the second writes a plain backslash at the same offset, which must stay one.
    const Uuid id = Protocol("pe_branch", "(str_quoted byte) | (\"xy\\5C0A\" str_nonctrl)");
    EXPECT_EQ(Encode("\"a\\0A\"", id).bytes, "xy\\0Aa");
}

TEST_F(ProtoEncoder, PreviewOfALongFrameIsCut)
{
    const Uuid id = Protocol("pe_long", "str_quoted");
    const Encoded e = Encode("\"" + std::string(10000, 'z') + "\"", id);
    EXPECT_EQ(e.bytes.size(), 10002u);
    ASSERT_GT(e.preview.size(), 6u);
    EXPECT_EQ(e.preview.substr(e.preview.size() - 8), " 7A ...]");
}

TEST(ComposeFrame, ResolvesOnlyRecordedEscapes)
{
    ComposeState state;
    state.output = "\\0A-\\0A\\";
    state.escapes = {4};
    EXPECT_EQ(ResolveComposedEscapes(state.output, state.escapes), "\\0A-\n\\");
    // A record that does not point at a whole escape is ignored.
    state.escapes = {7, 9};
    EXPECT_EQ(ResolveComposedEscapes(state.output, state.escapes), state.output);
}

}  // namespace
}  // namespace baudrill
