// The article factories and the engine's one-time initialisation.

#include "grammar/BuiltinNamespace.h"
#include "grammar/GrammarRegistry.h"
#include "grammar/compiler/GrammarBuiltins.h"

#include "tests/support/grammar/CompilerTestSupport.h"

#include <gtest/gtest.h>

namespace baudrill::test {

namespace {

TEST(CreateArticle, EmptyTextGivesARegisteredSkeleton)
{
    BNFarticle* article = CreateArticle("af_new_space", "empty", "");
    ASSERT_NE(article, nullptr);
    ArticleNamespace* space = GrammarRegistry::Instance().FindNamespace("af_new_space");
    ASSERT_NE(space, nullptr);
    EXPECT_EQ(space->Get(article->uid), article);
    EXPECT_EQ(article->name, "empty");
    EXPECT_TRUE(article->desc.empty());
    EXPECT_EQ(article->elements.size(), 3u);
    EXPECT_EQ(ParseText(*article, "anything").pos, 0);
    EXPECT_TRUE(ParseText(*article, "").ok);
}

TEST(CreateArticle, CompilesTheTextAndKeepsWhatAPartialCompileBuilt)
{
    BNFarticle* whole = CreateArticle("af_test", "whole", "\"A\" [\"B\"]");
    EXPECT_EQ(DescribeArticle(*whole), "\"A\" [\"B\"]");
    BNFarticle* partial = CreateArticle("af_test", "partial", "\"A\" ) \"B\"");
    EXPECT_EQ(DescribeArticle(*partial), "\"A\"");
    EXPECT_EQ(GrammarRegistry::Instance().GetAdd("af_test").Get(partial->uid), partial);
}

TEST(CreateArticle, SameNameTwiceMakesTwoArticles)
{
    BNFarticle* first = CreateArticle("af_twice", "n", "");
    BNFarticle* second = CreateArticle("af_twice", "n", "");
    ArticleNamespace& space = GrammarRegistry::Instance().GetAdd("af_twice");
    EXPECT_EQ(space.GetCount(), 2);
    EXPECT_NE(first->uid, second->uid);
    EXPECT_EQ(space.At(space.FindName("n")), first);
}

TEST(CreateArticleWithUuid, KeepsTheGivenIdentifierEvenWhenItIsTaken)
{
    const Uuid id = Uuid::Create();
    BNFarticle* first = CreateArticleWithUuid("af_uid", "one", "\"1\"", id);
    BNFarticle* second = CreateArticleWithUuid("af_uid", "two", "\"2\"", id);
    EXPECT_EQ(first->uid, id);
    EXPECT_EQ(second->uid, id);
    ArticleNamespace& space = GrammarRegistry::Instance().GetAdd("af_uid");
    EXPECT_EQ(space.GetCount(), 2);
    EXPECT_EQ(space.Get(id), first);
    EXPECT_EQ(DescribeArticle(*second), "\"2\"");
}

TEST(CreateArticle, ReferenceToAMissingNamespaceLeavesItEmpty)
{
    BNFarticle* article = CreateArticle("af_test", "nowhere", "<af_nowhere::x>");
    EXPECT_EQ(DescribeArticle(*article), "");
    ArticleNamespace* space = GrammarRegistry::Instance().FindNamespace("af_nowhere");
    ASSERT_NE(space, nullptr);
    EXPECT_EQ(space->GetCount(), 0);
}

TEST(CreateArticle, RemovedArticleLeavesNoBuildPointer)
{
    BNFarticle* article = CreateArticle("af_gone", "a", "\"x\"");
    EXPECT_EQ(buildArticle, article);
    ArticleNamespace& space = GrammarRegistry::Instance().GetAdd("af_gone");
    space.Remove(space.Find(article->uid));
    EXPECT_EQ(buildArticle, nullptr);
    EXPECT_EQ(buildLink, nullptr);
    // Compiling goes on as before.
    EXPECT_EQ(DescribeArticle(*CreateArticle("af_gone", "b", "\"y\"")), "\"y\"");
}

TEST(InitGrammarBuiltins, BuildsTheMetaGrammarOnceInNamespaceBNF)
{
    InitGrammarBuiltins();
    GrammarRegistry& registry = GrammarRegistry::Instance();
    const int namespaces = registry.GetCount();
    ArticleNamespace* bnf = registry.FindNamespace("BNF");
    ASSERT_NE(bnf, nullptr);
    const int articles = bnf->GetCount();
    ASSERT_GE(articles, 4);
    const char* names[] = {"BNFarg", "BNFwhite", "BNFstopOnSemicolon", "BNFscheme"};
    for (int i = 0; i < 4; ++i) {
        ASSERT_NE(bnf->At(i), nullptr);
        EXPECT_EQ(bnf->At(i)->name, names[i]);
        EXPECT_TRUE(IsBuiltinRuleName(bnf->At(i)->name)) << names[i];
        EXPECT_EQ(CheckGraph(*bnf->At(i)), "") << names[i];
    }
    EXPECT_EQ(MetaGrammarScheme(), bnf->At(3));

    InitGrammarBuiltins();
    EXPECT_EQ(registry.GetCount(), namespaces);
    EXPECT_EQ(bnf->GetCount(), articles);
    int bnfNamespaces = 0;
    for (int i = 0; i < registry.GetCount(); ++i)
        bnfNamespaces += registry.GetKey(i) == "BNF";
    EXPECT_EQ(bnfNamespaces, 1);
}

TEST(BuiltinNamespace, IsBNFAndNamesItsBuiltinRulesByTheirStart)
{
    EXPECT_STREQ(BuiltinNamespace, "BNF");
    for (const char* name : {"BNF", "BNFscheme", "BNFPROTOparser"})
        EXPECT_TRUE(IsBuiltinRuleName(name)) << name;
    for (const char* name : {"", "BN", "bnfscheme", "Bnf", "myBNF", " BNF"})
        EXPECT_FALSE(IsBuiltinRuleName(name)) << name;
}

TEST(MetaGrammar, BuiltinArticlesMatchWhatTheyStandFor)
{
    InitGrammarBuiltins();
    ArticleNamespace& bnf = GrammarRegistry::Instance().GetAdd("BNF");
    const BNFarticle& white = *bnf.At(bnf.FindName("BNFwhite"));
    EXPECT_EQ(ParseText(white, " \r\n\t x").pos, 5);
    EXPECT_EQ(ParseText(white, "\f").pos, 0) << "a form feed is no whitespace";
    EXPECT_EQ(ParseText(white, "").pos, 0);
    const BNFarticle& semicolon = *bnf.At(bnf.FindName("BNFstopOnSemicolon"));
    EXPECT_EQ(ParseText(semicolon, "; \n;").pos, 3);
    EXPECT_EQ(ParseText(semicolon, "x").pos, 0);
    const BNFarticle& arg = *bnf.At(bnf.FindName("BNFarg"));
    EXPECT_EQ(ParseText(arg, "\"a b\"").pos, 5);
    EXPECT_EQ(ParseText(arg, "12;").pos, 2);
    EXPECT_FALSE(ParseText(arg, "abc").ok);
}

}  // namespace

}  // namespace baudrill::test
