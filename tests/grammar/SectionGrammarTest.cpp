// The protocol editor's section grammar, compiled from its rule text: each
// "*** name rule" section creates a named article compiled from its rule.

#include "grammar/GrammarRegistry.h"
#include "grammar/compiler/CompileScope.h"

#include "tests/support/grammar/CompilerTestSupport.h"

#include <gtest/gtest.h>

namespace baudrill::test {

namespace {

// The rule of the editor's "BNFPROTOparser"; the stop sets hold the blank,
// LF, CR and TAB themselves (and a colon).
const std::string SectionRule =
    "<BNFwhite> {\"***\" <BNFwhite> (BNFstr10:\"BNF\" BNFstr:\" \n\r\t\" BNFnewScheme | "
    "BNFstr:\" \n\r\t:\" \"::\" BNFstr:\" \n\r\t\" BNFnewScheme) <BNFwhite> <BNFscheme> BNFresume}";

class SectionGrammar : public ::testing::Test {
protected:
    void SetUp() override
    {
        sections_ = CompileText(SectionRule, "BNF");
        ASSERT_EQ(sections_.consumed, static_cast<int>(SectionRule.size()));
    }

    // The last article of "BNF" with the name, or null.
    static const BNFarticle* Newest(const std::string& name)
    {
        const ArticleNamespace& bnf = GrammarRegistry::Instance().GetAdd("BNF");
        for (int i = bnf.GetCount(); i-- > 0;)
            if (bnf.At(i)->name == name)
                return bnf.At(i);
        return nullptr;
    }

    Compiled sections_{};
    // The section grammar runs as a compile, as the protocol editor runs it.
    const CompileScope compiling_;
};

TEST_F(SectionGrammar, EachSectionCreatesANamedArticle)
{
    const std::string text = "*** sg_first byte ; word\n*** sg_second \"A\" | \"B\";\n  ***\tsg_third {hex:2}";
    ParseResult r = ParseText(*sections_.article, text);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.pos, static_cast<int>(text.size()));
    ASSERT_NE(Newest("sg_first"), nullptr);
    ASSERT_NE(Newest("sg_second"), nullptr);
    ASSERT_NE(Newest("sg_third"), nullptr);
    EXPECT_EQ(DescribeArticle(*Newest("sg_first")), "byte word");
    EXPECT_EQ(DescribeArticle(*Newest("sg_second")), "(\"A\" | \"B\")");
    EXPECT_EQ(DescribeArticle(*Newest("sg_third")), "{hex:2}");
    EXPECT_TRUE(r.values.empty());
    // The new articles work like any other.
    EXPECT_EQ(ParseText(*Newest("sg_third"), "0aff").values, (ValueList{Value(10), Value(255)}));
}

TEST_F(SectionGrammar, SectionInAnotherNamespace)
{
    // The first choice takes the whole "ns::name" as a name in "BNF"; the
    // namespaced choice is reached only when no name can be read.
    ParseResult r = ParseText(*sections_.article, "*** sg_ns::p byte");
    ASSERT_TRUE(r.ok);
    EXPECT_NE(Newest("sg_ns::p"), nullptr);
    EXPECT_EQ(GrammarRegistry::Instance().FindNamespace("sg_ns"), nullptr);
}

TEST_F(SectionGrammar, HowFarTheEditorsSectionTextParses)
{
    // The editor wraps a rule as "*** " name " " rule ";" and wants it all consumed.
    const std::string whole = "*** sg_ok byte ; word;";
    EXPECT_EQ(ParseText(*sections_.article, whole).pos, static_cast<int>(whole.size()));
    // A rule that itself ends in ';' gives two at the end: the second stops the compile.
    const std::string doubled = "*** sg_semi byte;;";
    EXPECT_EQ(ParseText(*sections_.article, doubled).pos, static_cast<int>(doubled.size()) - 1);
    EXPECT_EQ(DescribeArticle(*Newest("sg_semi")), "byte");
    // A rule that stops part way leaves the rest unparsed.
    const std::string broken = "*** sg_broken byte ) word;";
    EXPECT_EQ(ParseText(*sections_.article, broken).pos, 19);
    EXPECT_EQ(DescribeArticle(*Newest("sg_broken")), "byte");
}

}  // namespace

}  // namespace baudrill::test
