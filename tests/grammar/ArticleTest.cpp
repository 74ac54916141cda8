#include "grammar/BNFarticle.h"

#include <gtest/gtest.h>

namespace baudrill {
namespace {

TEST(ArticleTest, SkeletonIsBeginLinkEndWithConsecutiveIds)
{
    BNFarticle a;
    BNFarticle b;
    ASSERT_EQ(a.elements.size(), 3u);
    std::int64_t n = a.elements[0]->i - 1;
    const int types[] = {BeginType, LinkType, EndType};
    for (std::size_t k = 0; k < 3; ++k) {
        EXPECT_EQ(a.elements[k]->type, types[k]);
        EXPECT_EQ(b.elements[k]->type, types[k]);
        EXPECT_EQ(a.elements[k]->i, n + 1 + static_cast<std::int64_t>(k));
        EXPECT_EQ(b.elements[k]->i, n + 4 + static_cast<std::int64_t>(k));
    }
    BNFelement* link = a.elements[1];
    EXPECT_EQ(a.begin, a.elements[0]);
    EXPECT_EQ(a.begin->link0, link);
    EXPECT_EQ(link->input0, a.begin);
    EXPECT_EQ(link->link0, a.elements[2]);
    EXPECT_EQ(a.elements[2]->input0, link);
    EXPECT_EQ(a.elements[2]->link0, nullptr);
    EXPECT_EQ(a.cursor, link);
    EXPECT_EQ(a.markA, link);
    EXPECT_EQ(a.markB, link);
    EXPECT_FALSE(a.uid.IsNull());
    EXPECT_NE(a.uid, b.uid);
}

TEST(ArticleTest, ConstructionSetsAndDestructionClearsTheBuildReferences)
{
    auto first = std::make_unique<BNFarticle>();
    EXPECT_EQ(buildArticle, first.get());
    EXPECT_EQ(buildLink, first->cursor);
    auto second = std::make_unique<BNFarticle>();
    first.reset();  // not the build article any more: the references stay
    EXPECT_EQ(buildArticle, second.get());
    EXPECT_EQ(buildLink, second->cursor);
    second.reset();
    EXPECT_EQ(buildArticle, nullptr);
    EXPECT_EQ(buildLink, nullptr);
}

TEST(ArticleTest, FindByIdTakesTheFirstMatchAndNeverMatchesZero)
{
    BNFarticle a;
    EXPECT_EQ(FindById(a.elements[1]->i, a.elements), a.elements[1]);
    EXPECT_EQ(FindById(0, a.elements), nullptr);
    EXPECT_EQ(FindById(a.elements[2]->i + 1000, a.elements), nullptr);
}

TEST(ArticleTest, ConnectorsIgnoreTextAndOnlySplittersAreUp)
{
    BNFarticle a;
    for (BNFelement* e : {a.elements[0], a.elements[1], a.elements[2]}) {
        e->SetText("x");
        EXPECT_EQ(e->GetText(), "");
        EXPECT_FALSE(e->IsUp());
        EXPECT_EQ(e->GetSplitter(), nullptr);
    }
}

TEST(ArticleTest, ReplaceInputAndReplaceLinkTryTheMainFieldFirst)
{
    BNFarticle a;
    BNFelement* begin = a.elements[0];
    BNFelement* link = a.elements[1];
    BNFelement* end = a.elements[2];
    link->input1 = begin;  // both back references name begin: only input0 changes
    link->ReplaceInput(begin, end);
    EXPECT_EQ(link->input0, end);
    EXPECT_EQ(link->input1, begin);
    link->ReplaceInput(begin, link);
    EXPECT_EQ(link->input1, link);
    link->ReplaceInput(a.begin, nullptr);  // no field names it any more
    EXPECT_EQ(link->input0, end);
    link->input1 = nullptr;

    link->link1 = end;
    link->ReplaceLink(end, begin);
    EXPECT_EQ(link->link0, begin);
    EXPECT_EQ(link->link1, end);
    link->ReplaceLink(end, nullptr);
    EXPECT_EQ(link->link1, nullptr);
}

}  // namespace
}  // namespace baudrill
