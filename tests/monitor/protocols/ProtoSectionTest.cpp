// Compiling a protocol's rule text through the section grammar, and the article that takes the
// protocol's place.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "tests/support/monitor/ProtoTestSupport.h"
#include "grammar/BNFarticle.h"
#include "grammar/ArticleNamespace.h"
#include "grammar/ParseContext.h"
#include "grammar/compiler/ArticleFactory.h"
#include "grammar/compiler/GrammarBuiltins.h"
#include "monitor/protocols/ProtoFileSet.h"
#include "monitor/protocols/ProtoSection.h"
#include "tests/support/NamedCase.h"

namespace baudrill {
namespace {

using test::UniqueName;

class ProtoSectionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitGrammarBuiltins();
        parser = CreateSectionParser();
    }
    void TearDown() override { ns.Remove(ns.Find(parser->uid)); }

    // A protocol as the editor makes one, with a name and a comment.
    Uuid AddProtocol(const std::string& name, const std::string& text = "")
    {
        BNFarticle* article = CreateArticle("BNF", name, text);
        article->desc = text;
        article->comment = "note";
        return article->uid;
    }

    // Bytes the protocol's rule consumes from `input`, or -1 when it does not match.
    int Consumed(const Uuid& uid, const std::string& input) const
    {
        ParseContext ctx(input);
        return ns.Get(uid)->Parse(ctx) ? ctx.state.pos : -1;
    }

    ArticleNamespace& ns = ProtocolNamespace();
    BNFarticle* parser = nullptr;
};

struct StateCase : test::NamedCase {
    const char* text;
    RuleState state;
    int consumed;  // of "\x01\x02\x03\x04" by the new form
};

const StateCase stateCases[] = {
    {"items", "byte word", RuleState::Compiled, 3},
    {"';' between items", "byte ; word", RuleState::Compiled, 3},
    {"line breaks and tabs", "byte\n\tword\r\n", RuleState::Compiled, 3},
    {"ending in ';'", "byte word;", RuleState::Failed, 3},
    {"two ';' in a row", "byte;;word", RuleState::Failed, 1},
    {"a stray bracket", "byte ) word", RuleState::Failed, 1},
    {"a further section", "byte *** helper word", RuleState::Compiled, 1},
};

class RuleStates : public ::testing::TestWithParam<StateCase> {};

TEST_P(RuleStates, ShowWhetherTheWholeTextCompiled)
{
    InitGrammarBuiltins();
    ArticleNamespace& ns = ProtocolNamespace();
    BNFarticle* parser = CreateSectionParser();
    BNFarticle* article = CreateArticle("BNF", UniqueName("rule"), "");
    const Uuid uid = article->uid;

    EXPECT_EQ(CompileProtocol(*parser, uid, GetParam().text), GetParam().state);
    ParseContext ctx(std::string_view("\x01\x02\x03\x04"));
    ASSERT_TRUE(ns.Get(uid)->Parse(ctx));
    EXPECT_EQ(ctx.state.pos, GetParam().consumed);
}

INSTANTIATE_TEST_SUITE_P(Cases, RuleStates, ::testing::ValuesIn(stateCases), test::CaseName<StateCase>);

TEST_F(ProtoSectionTest, TheNewFormKeepsUidTextAndCommentAndMovesToTheEnd)
{
    const std::string name = UniqueName("moved");
    const Uuid uid = AddProtocol(name, "byte");
    const Uuid after = AddProtocol(UniqueName("after"), "byte");
    const int count = ns.GetCount();
    ASSERT_LT(ns.Find(uid), ns.Find(after));

    EXPECT_EQ(CompileProtocol(*parser, uid, "word word"), RuleState::Compiled);

    EXPECT_EQ(ns.GetCount(), count);
    EXPECT_EQ(ns.Find(uid), count - 1);
    const BNFarticle* article = ns.Get(uid);
    EXPECT_EQ(article->uid, uid);
    EXPECT_EQ(article->name, name);
    EXPECT_EQ(article->desc, "word word");
    EXPECT_EQ(article->comment, "note");
    EXPECT_EQ(Consumed(uid, "12345"), 4);
}

TEST_F(ProtoSectionTest, AReferenceFollowsTheProtocolItNames)
{
    const std::string inner = UniqueName("inner");
    const Uuid innerUid = AddProtocol(inner, "byte");
    const Uuid outer = AddProtocol(UniqueName("outer"), "<" + inner + "> byte");
    ASSERT_EQ(Consumed(outer, "abcdef"), 2);

    ASSERT_EQ(CompileProtocol(*parser, innerUid, "dword"), RuleState::Compiled);
    EXPECT_EQ(Consumed(outer, "abcdef"), 5);
}

// Unclosed brackets behind '|' stop the compile; the article that takes the protocol's place
// keeps at most six elements per byte of the text (see the rule-compiler tests).
TEST_F(ProtoSectionTest, UnclosedBracketsBehindAlternativesStaySmall)
{
    std::string text;
    for (int i = 0; i < 16; ++i)
        text += "|[";
    const Uuid uid = AddProtocol(UniqueName("nested"), "byte");
    EXPECT_EQ(CompileProtocol(*parser, uid, text), RuleState::Failed);
    EXPECT_LE(ns.Get(uid)->elements.size(), 3 + 6 * text.size());
}

TEST_F(ProtoSectionTest, AnEmptyTextIsStoredAndTheCompiledFormKept)
{
    const Uuid uid = AddProtocol(UniqueName("cleared"), "word");
    EXPECT_EQ(CompileProtocol(*parser, uid, ""), RuleState::Failed);
    EXPECT_EQ(ns.Get(uid)->desc, "");
    EXPECT_EQ(Consumed(uid, "abc"), 2);
}

TEST_F(ProtoSectionTest, WithoutAnArticleOfItsNameTheProtocolStaysAsItWas)
{
    // The section grammar reads a name only up to a blank, so these compiles make articles of
    // other names. Another protocol of the same name must not take this one's place.
    const std::string name = UniqueName(" two words");
    const Uuid other = AddProtocol(name, "byte");
    const Uuid uid = AddProtocol(name, "word");
    const Uuid unnamed = AddProtocol("", "dword");
    const int count = ns.GetCount();

    EXPECT_EQ(CompileProtocol(*parser, uid, "byte byte byte"), RuleState::Failed);
    EXPECT_EQ(CompileProtocol(*parser, unnamed, "byte"), RuleState::Failed);

    EXPECT_EQ(ns.GetCount(), count);
    EXPECT_EQ(ns.Get(uid)->desc, "byte byte byte");
    EXPECT_EQ(ns.Get(uid)->comment, "note");
    EXPECT_EQ(Consumed(uid, "abcdef"), 2);
    EXPECT_EQ(Consumed(other, "abcdef"), 1);
    EXPECT_EQ(Consumed(unnamed, "abcdef"), 4);
    EXPECT_EQ(ns.Find(other), count - 3);
}

TEST_F(ProtoSectionTest, AFurtherSectionMakesOneMoreArticleEachTime)
{
    const Uuid uid = AddProtocol(UniqueName("host"), "");
    const std::string extra = UniqueName("extra");
    const int count = ns.GetCount();
    const std::string text = "byte *** " + extra + " word";
    ASSERT_EQ(CompileProtocol(*parser, uid, text), RuleState::Compiled);
    ASSERT_EQ(CompileProtocol(*parser, uid, text), RuleState::Compiled);
    EXPECT_EQ(ns.GetCount(), count + 2);
    EXPECT_EQ(ns.At(ns.FindName(extra))->name, extra);
}

TEST_F(ProtoSectionTest, AnUnknownUidChangesNothing)
{
    const int count = ns.GetCount();
    EXPECT_EQ(CompileProtocol(*parser, Uuid::Create(), "byte"), RuleState::NoProtocol);
    EXPECT_EQ(CompileProtocol(*parser, Uuid(), "byte"), RuleState::NoProtocol);
    EXPECT_EQ(ns.GetCount(), count);
}

}  // namespace
}  // namespace baudrill
