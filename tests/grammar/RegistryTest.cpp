#include "grammar/ActionRegistry.h"
#include "grammar/ArticleRef.h"
#include "grammar/GrammarRegistry.h"

#include <gtest/gtest.h>

#include <type_traits>

namespace baudrill {
namespace {

std::unique_ptr<BNFarticle> Article(const std::string& name, const Uuid& id)
{
    auto article = std::make_unique<BNFarticle>();
    article->name = name;
    article->uid = id;
    return article;
}

TEST(GrammarRegistryTest, FindDoesNotCreateAndGetAddCreatesOnce)
{
    GrammarRegistry registry;
    EXPECT_EQ(registry.Find("proto"), -1);
    EXPECT_EQ(registry.FindNamespace("proto"), nullptr);
    ArticleNamespace& ns = registry.GetAdd("proto");
    EXPECT_EQ(&registry.GetAdd("proto"), &ns);
    EXPECT_EQ(registry.GetCount(), 1);
    // Add never looks: a second namespace of the name stays behind the first.
    registry.Add("proto");
    EXPECT_EQ(registry.GetCount(), 2);
    EXPECT_EQ(registry.FindNamespace("proto"), &ns);
}

TEST(GrammarRegistryTest, DuplicateUuidsAndNamesFindTheFirstAdded)
{
    ArticleNamespace ns;
    Uuid shared = Uuid::Create();
    BNFarticle& first = ns.Add(shared, Article("same", shared));
    BNFarticle& second = ns.Add(shared, Article("same", shared));
    EXPECT_EQ(ns.Get(shared), &first);
    EXPECT_EQ(ns.FindName("same"), 0);
    ns.Remove(0);
    EXPECT_EQ(ns.Get(shared), &second);
    EXPECT_EQ(ns.FindName("nothing"), -1);
}

TEST(GrammarRegistryTest, ChangingKeysAndTrimming)
{
    ArticleNamespace ns;
    Uuid ids[3] = {Uuid::Create(), Uuid::Create(), Uuid::Create()};
    for (const Uuid& id : ids)
        ns.Add(id, Article("a", id));
    Uuid moved = Uuid::Create();
    ns.SetKey(2, moved);
    EXPECT_EQ(ns.Find(ids[2]), -1);
    EXPECT_EQ(ns.Find(moved), 2);
    ns.Trim(1);
    EXPECT_EQ(ns.GetCount(), 1);
    EXPECT_EQ(ns.GetKey(0), ids[0]);
}

TEST(GrammarRegistryTest, RemovingOrRekeyingAnAbsentArticleChangesNothing)
{
    // The protocol editor's pattern: ns.Remove(ns.Find(id)) for an id that is not there.
    ArticleNamespace ns;
    Uuid id = Uuid::Create();
    BNFarticle& kept = ns.Add(id, Article("kept", id));
    const std::uint64_t changes = ns.Changes();
    const Uuid absent = Uuid::Create();
    EXPECT_FALSE(ns.Remove(ns.Find(absent)));
    EXPECT_FALSE(ns.SetKey(ns.Find(absent), absent));
    EXPECT_EQ(ns.At(ns.Find(absent)), nullptr);
    EXPECT_TRUE(ns.GetKey(ns.Find(absent)).IsNull());
    EXPECT_EQ(ns.Changes(), changes);  // cached lookups stay valid
    ASSERT_EQ(ns.GetCount(), 1);
    EXPECT_EQ(ns.At(0), &kept);
    EXPECT_EQ(ns.Get(id), &kept);

    GrammarRegistry registry;
    EXPECT_EQ(registry.At(0), nullptr);
    EXPECT_EQ(registry.GetKey(-1), "");
}

// Assigning over a namespace or the registry would delete articles behind the
// lookups cached on them; neither can be copied or moved.
static_assert(!std::is_copy_assignable_v<ArticleNamespace> && !std::is_move_assignable_v<ArticleNamespace>);
static_assert(!std::is_copy_constructible_v<ArticleNamespace> && !std::is_move_constructible_v<ArticleNamespace>);
static_assert(!std::is_copy_assignable_v<GrammarRegistry> && !std::is_move_assignable_v<GrammarRegistry>);

TEST(GrammarRegistryTest, ArticleRefFollowsRemovalAndReplacement)
{
    ArticleNamespace& ns = GrammarRegistry::Instance().GetAdd("ArticleRefTest");
    Uuid id = Uuid::Create();
    ArticleRef ref;
    EXPECT_EQ(ref.Resolve("ArticleRefTest", id), nullptr);
    EXPECT_EQ(ref.Resolve("NoSuchNamespace", id), nullptr);
    BNFarticle& a = ns.Add(id, Article("a", id));
    EXPECT_EQ(ref.Resolve("ArticleRefTest", id), &a);
    ns.Remove(ns.Find(id));
    EXPECT_EQ(ref.Resolve("ArticleRefTest", id), nullptr);
    BNFarticle& b = ns.Add(id, Article("b", id));
    EXPECT_EQ(ref.Resolve("ArticleRefTest", id), &b);
}

bool ParseYes(ParseContext&, Value) { return true; }
bool ParseNo(ParseContext&, Value) { return false; }

TEST(ActionRegistryTest, NamesAreExactAndTheFirstRegistrationWins)
{
    ParseActionRegistry registry;
    registry.Register("hex", ParseYes);
    registry.Register("hex", ParseNo);
    registry.Register("HEX", ParseNo);
    EXPECT_EQ(registry.Find("hex"), &ParseYes);
    EXPECT_EQ(registry.Find("HEX"), &ParseNo);
    EXPECT_EQ(registry.Find("Hex"), nullptr);
    EXPECT_EQ(registry.Find("hex "), nullptr);
    EXPECT_EQ(registry.GetCount(), 3);
}

}  // namespace
}  // namespace baudrill
