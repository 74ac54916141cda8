#include "tests/support/grammar/GrammarTestSupport.h"

#include "grammar/BNFlink.h"
#include "grammar/BNFsplitter.h"
#include "grammar/BNFunitor.h"

namespace baudrill {
namespace {

// Runs one builder operation, then checks the element count it added and the graph.
void Step(BNFarticle& a, std::size_t added, const std::function<void()>& operation)
{
    std::size_t before = a.elements.size();
    operation();
    EXPECT_EQ(a.elements.size() - before, added);
    EXPECT_EQ(CheckGraph(a), "");
}

// The elements on the main path from `from`, following link0 (for chain checks).
std::vector<const BNFelement*> Chain(const BNFelement* from, std::size_t n)
{
    std::vector<const BNFelement*> out;
    for (; from && out.size() < n; from = from->link0)
        out.push_back(from);
    return out;
}

TEST(Builder, CursorOperationsKeepTheGraphSoundAndAddTheirElements)
{
    test::RegisterTestActions();
    BNFarticle& target = test::NewArticle("BNF", "BuilderTarget");
    BNFarticle a;
    Step(a, 0, [&] { a.SetMark(true); });
    Step(a, 2, [&] { a.InsertTerminal("a"); });
    Step(a, 2, [&] { a.InsertCode(BNFcode("t_byte", Value(0))); });
    Step(a, 2, [&] { a.InsertNonterminal("BuilderTarget"); });
    Step(a, 0, [&] { a.SetMark(false); });
    Step(a, 3, [&] { a.Wrap(false); });
    // The bypass link's successor is the unitor, which names it as input1: the
    // new link must take over that back reference, not input0.
    Step(a, 1, [&] { a.InsertLink(); });
    Step(a, 2, [&] { a.InsertTerminal("b"); });
    Step(a, 0, [&] { a.PopCursor(); });
    Step(a, 3, [&] { a.Wrap(false); });  // wrapping the same marks again nests
    Step(a, 2, [&] { a.InsertTerminal("c"); });
    Step(a, 0, [&] { a.PopCursor(); });
    // A loop: markB first on the forward path, markA after it.
    Step(a, 0, [&] { a.SetMark(false); });
    Step(a, 1, [&] { a.InsertLink(); });
    Step(a, 0, [&] { a.SetMark(true); });
    Step(a, 3, [&] { a.Wrap(true); });
    Step(a, 2, [&] { a.InsertTerminal("d"); });
    Step(a, 0, [&] { a.PopCursor(); });
    EXPECT_TRUE(a.cursorStack.empty());
    // ("a" t_byte <target> {"d"} | "c") | "b": the cursor was still inside both forks.
    EXPECT_TRUE(test::ParseText(a, "aXdd").ok);
    EXPECT_EQ(test::ParseText(a, "aXdd").pos, 4);
    EXPECT_EQ(test::ParseText(a, "bd").pos, 1);
    EXPECT_EQ(test::ParseText(a, "c").pos, 1);
    EXPECT_EQ(a.elements[a.elements.size() - 1]->type, LinkType);
    (void)target;
}

TEST(Builder, ElementsAreAppendedInTheOrderMade)
{
    BNFarticle a;
    a.InsertTerminal("a");
    EXPECT_EQ(a.elements[3]->type, TerminalType);
    EXPECT_EQ(a.elements[4]->type, LinkType);
    EXPECT_EQ(a.cursor, a.elements[4]);
    a.SetMark(true).SetMark(false).Wrap(false);
    EXPECT_EQ(a.elements[5]->type, SplitterType);
    EXPECT_EQ(a.elements[6]->type, UnitorType);
    EXPECT_EQ(a.elements[7]->type, LinkType);
    EXPECT_EQ(a.cursor, a.elements[7]);
    EXPECT_EQ(a.elements[5]->link1, a.elements[7]);
    EXPECT_EQ(a.elements[6]->GetSplitter(), a.elements[5]);
    EXPECT_EQ(a.elements[6]->input1, a.elements[7]);
    EXPECT_LT(a.elements[5]->i, a.elements[6]->i);
}

TEST(Builder, ForkAndLoopFromMarksStandWhereTheyShould)
{
    BNFarticle fork;
    BNFelement* skeleton = fork.cursor;
    fork.SetMark(true).InsertTerminal("a").SetMark(false).Wrap(false);
    // begin, splitter, skeleton link, "a", link (markB), unitor, end
    auto chain = Chain(fork.begin, 7);
    ASSERT_EQ(chain.size(), 7u);
    EXPECT_EQ(chain[1]->type, SplitterType);
    EXPECT_FALSE(chain[1]->IsUp());
    EXPECT_EQ(chain[2], skeleton);
    EXPECT_EQ(chain[5]->type, UnitorType);
    EXPECT_EQ(chain[6]->type, EndType);

    BNFarticle loop;
    loop.SetMark(false).InsertLink().SetMark(true).Wrap(true);
    // begin, unitor, markB, markA, splitter, end
    chain = Chain(loop.begin, 6);
    ASSERT_EQ(chain.size(), 6u);
    EXPECT_EQ(chain[1]->type, UnitorType);
    EXPECT_EQ(chain[4]->type, SplitterType);
    EXPECT_TRUE(chain[4]->IsUp());
    EXPECT_EQ(chain[4]->link1, loop.cursor);
    EXPECT_EQ(loop.cursor->link0, chain[1]);
}

TEST(Builder, InsertNonterminalResolvesNowOrDoesNothing)
{
    BNFarticle& first = test::NewArticle("BNF", "BuilderTwice");
    test::NewArticle("BNF", "BuilderTwice");
    BNFarticle a;
    BNFelement* cursor = a.cursor;
    a.InsertNonterminal("NoArticleHasThisName");
    EXPECT_EQ(a.elements.size(), 3u);
    EXPECT_EQ(a.cursor, cursor);
    a.InsertNonterminal("BuilderTwice");
    ASSERT_EQ(a.elements.size(), 5u);
    const auto* ref = static_cast<const BNFnonterminal*>(a.elements[3]);
    EXPECT_EQ(ref->uid, first.uid);  // the first article of the name
    EXPECT_EQ(ref->nspace, "BNF");

    // The first article of the name has the null identifier: nothing is
    // inserted, although a later one of the name has a real identifier.
    auto unnamed = std::make_unique<BNFarticle>();
    unnamed->name = "BuilderNullId";
    unnamed->uid = Uuid();
    GrammarRegistry::Instance().GetAdd("BNF").Add(Uuid(), std::move(unnamed));
    test::NewArticle("BNF", "BuilderNullId");
    cursor = a.cursor;
    a.InsertNonterminal("BuilderNullId");
    EXPECT_EQ(a.elements.size(), 5u);
    EXPECT_EQ(a.cursor, cursor);
}

TEST(Builder, PositionOperationsRefuseElementsOfAnotherArticle)
{
    BNFarticle a;
    BNFarticle other;
    BNFelement* foreign = other.cursor;
    EXPECT_EQ(a.InsertLinkAfter(foreign), nullptr);
    // Refused: the element is deleted, not adopted (no leak under the sanitizers).
    EXPECT_EQ(a.InsertElementAfter(foreign, std::make_unique<BNFterminal>("x")), nullptr);
    BNFelement* before = foreign;
    BNFelement* after = foreign;
    EXPECT_EQ(a.WrapRegion(false, foreign, a.cursor, before, after), nullptr);
    EXPECT_EQ(before, nullptr);
    EXPECT_EQ(after, nullptr);
    EXPECT_EQ(a.InsertLinkAfter(a.elements[2]), nullptr);  // nothing follows the end
    EXPECT_EQ(a.elements.size(), 3u);
    EXPECT_EQ(other.elements.size(), 3u);
    EXPECT_EQ(CheckGraph(a), "");
    EXPECT_EQ(CheckGraph(other), "");
}

TEST(Builder, InsertingAnElementTheArticleOwnsAlreadyIsRefusedAndKeepsIt)
{
    auto article = std::make_unique<BNFarticle>();
    BNFelement* link = article->InsertElementAfter(article->cursor, std::make_unique<BNFterminal>("t"));
    ASSERT_NE(link, nullptr);
    BNFelement* owned = link->input0;
    // Handed in again (as a confused caller might): refused, and neither deleted
    // nor adopted twice, so destroying the article deletes it exactly once.
    EXPECT_EQ(article->InsertElementAfter(link, std::unique_ptr<BNFelement>(owned)), nullptr);
    EXPECT_EQ(article->elements.size(), 5u);
    EXPECT_EQ(owned->GetText(), "t");
    EXPECT_EQ(CheckGraph(*article), "");
    EXPECT_TRUE(test::ParseText(*article, "t").ok);
    article.reset();
}

TEST(Builder, PositionOperationsAddTheirElements)
{
    BNFarticle a;
    BNFelement* c = a.cursor;
    BNFelement* x = nullptr;
    Step(a, 1, [&] { x = a.InsertLinkAfter(c); });
    EXPECT_EQ(c->link0, x);
    BNFelement* after = nullptr;
    Step(a, 2, [&] { after = a.InsertElementAfter(x, std::make_unique<BNFterminal>("t")); });
    EXPECT_EQ(x->link0->GetText(), "t");
    EXPECT_EQ(x->link0->link0, after);

    BNFelement* before = nullptr;
    BNFelement* behind = nullptr;
    BNFelement* branch = nullptr;
    Step(a, 5, [&] { branch = a.WrapRegion(false, x, after, before, behind); });
    // predecessor, P, S, first .. last, U, Q, successor
    auto chain = Chain(c, 8);
    ASSERT_EQ(chain.size(), 8u);
    EXPECT_EQ(chain[1], before);
    EXPECT_EQ(chain[2]->type, SplitterType);
    EXPECT_EQ(chain[3], x);
    EXPECT_EQ(chain[5], after);
    EXPECT_EQ(chain[6]->type, UnitorType);
    EXPECT_EQ(chain[7], behind);
    EXPECT_EQ(chain[2]->link1, branch);
    EXPECT_EQ(branch->link0, chain[6]);

    BNFelement* y = a.InsertLinkAfter(behind);
    BNFelement* loopBranch = nullptr;
    Step(a, 5, [&] { loopBranch = a.WrapRegion(true, y, y, before, behind); });
    // predecessor, Q, U, y, S, P, successor
    chain = Chain(before, 5);
    ASSERT_EQ(chain.size(), 5u);
    EXPECT_EQ(chain[1]->type, UnitorType);
    EXPECT_EQ(chain[2], y);
    EXPECT_EQ(chain[3]->type, SplitterType);
    EXPECT_TRUE(chain[3]->IsUp());
    EXPECT_EQ(chain[4], behind);
    EXPECT_EQ(chain[3]->link1, loopBranch);
    EXPECT_EQ(loopBranch->link0, chain[1]);
}

TEST(Builder, CompilerStyleRulesStaySound)
{
    // Each step of a nested rule, built as the compiler builds it, keeps the graph sound.
    BNFarticle a;
    test::RuleBuilder r(a);
    auto check = [&] { EXPECT_EQ(CheckGraph(a), ""); };
    r.T("a");
    check();
    r.Option([&] {
        r.T("b");
        check();
        r.Loop([&] {
            r.T("c").Or([&] {
                r.T("d");
                check();
            });
            check();
        });
        check();
    });
    r.Group([&] { r.T("e").Or([&] { r.T("f").Or([&] { r.Loop([] {}); }); }); });
    check();
    EXPECT_TRUE(test::ParseText(a, "abdcdf").ok);
}

TEST(GraphCheck, ReportsBrokenGraphs)
{
    BNFarticle a;
    a.InsertTerminal("a");
    ASSERT_EQ(CheckGraph(a), "");
    BNFelement* terminal = a.elements[3];
    terminal->input0 = nullptr;  // a dangling forward edge
    EXPECT_NE(CheckGraph(a), "");
    terminal->input0 = a.elements[1];
    ASSERT_EQ(CheckGraph(a), "");

    a.SetMark(true).SetMark(false).Wrap(false);
    ASSERT_EQ(CheckGraph(a), "");
    auto* unitor = static_cast<BNFunitor*>(a.elements[6]);
    BNFsplitter* splitter = unitor->splitter;
    unitor->splitter = nullptr;  // a unitor without its splitter
    EXPECT_NE(CheckGraph(a), "");
    unitor->splitter = splitter;
    splitter->link1 = nullptr;  // a splitter without its branch
    EXPECT_NE(CheckGraph(a), "");
}

TEST(Elements, TextUpAndSplitterAccessors)
{
    test::RegisterTestActions();
    BNFterminal t("lit");
    EXPECT_EQ(t.GetText(), "lit");
    t.SetText("other");
    EXPECT_EQ(t.value, "other");
    BNFcode code("t_arg", Value(1));
    EXPECT_EQ(code.GetText(), "t_arg");
    BNFcode copy(code);
    EXPECT_EQ(copy.i, code.i);
    EXPECT_EQ(copy.v, Value(1));
    BNFsplitter up(true);
    BNFsplitter down(false);
    EXPECT_TRUE(up.IsUp());
    EXPECT_FALSE(down.IsUp());
    BNFunitor u(&up);
    EXPECT_EQ(u.GetSplitter(), &up);
    EXPECT_EQ(up.GetSplitter(), nullptr);
    BNFnonterminal ref("BNF", Uuid::Create());
    ref.SetText("ignored");
    EXPECT_EQ(ref.GetText(), "");
}

}  // namespace
}  // namespace baudrill
