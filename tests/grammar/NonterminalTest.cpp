#include "tests/support/grammar/GrammarTestSupport.h"

#include "grammar/BNFnonterminal.h"

namespace baudrill {
namespace {

using test::NewArticle;
using test::RuleBuilder;

TEST(Nonterminals, TargetIsAtomicOnceItSucceeded)
{
    // Inline, ["A" {"B"}] "AC" matches AC by coming back into the option;
    // through a reference the target's open choices vanish when it succeeds.
    BNFarticle& target = NewArticle("NtAtomic", "opt");
    RuleBuilder t(target);
    t.Option([&] { t.T("A").Loop([&] { t.T("B"); }); });
    BNFarticle caller;
    RuleBuilder(caller).Ref(target, "NtAtomic").T("AC");
    EXPECT_FALSE(test::ParseText(caller, "AC").ok);
    EXPECT_TRUE(test::ParseText(caller, "AAC").ok);
}

TEST(Nonterminals, TargetNeverResumesTheCallersChoices)
{
    // ("A" <x> | "AB") "C" with x = "X": x fails on B, the caller's own fork
    // takes its branch. Were the caller's entry visible to x's run, x would
    // resume it and run the caller's graph inside itself.
    BNFarticle& x = NewArticle("NtBase", "x");
    RuleBuilder(x).T("X");
    BNFarticle caller;
    RuleBuilder r(caller);
    r.Group([&] { r.T("A").Ref(x, "NtBase").Or([&] { r.T("AB"); }); }).T("C");
    test::ParseResult res = test::ParseText(caller, "ABC");
    EXPECT_TRUE(res.ok);
    EXPECT_EQ(res.pos, 3);
}

TEST(Nonterminals, MissingTargetMatchesEmptyInBothDirections)
{
    BNFarticle& gone = NewArticle("NtMissing", "gone");
    BNFarticle caller;
    RuleBuilder(caller).T("A").Ref(gone, "NtMissing").T("B");
    BNFarticle noSpace;
    RuleBuilder(noSpace).Ref(gone, "NtNoSuchNamespace");
    const auto* ref = static_cast<const BNFnonterminal*>(caller.elements[5]);
    ASSERT_EQ(ref->type, NonterminalType);
    EXPECT_EQ(ref->GetText(), "gone");

    ArticleNamespace& ns = *GrammarRegistry::Instance().FindNamespace("NtMissing");
    ns.Remove(ns.Find(gone.uid));
    EXPECT_EQ(ref->GetText(), "");
    test::ParseResult p = test::ParseText(caller, "AB");
    EXPECT_TRUE(p.ok);
    EXPECT_EQ(p.pos, 2);
    test::ComposeResult c = test::ComposeValues(caller, {});
    EXPECT_TRUE(c.ok);
    EXPECT_EQ(c.output, "AB");
    EXPECT_TRUE(test::ParseText(noSpace, "x").ok);
    EXPECT_EQ(test::ParseText(noSpace, "x").pos, 0);
}

TEST(Nonterminals, ReplacedTargetIsFoundAgainUnderItsUuid)
{
    BNFarticle& first = NewArticle("NtReplace", "r");
    RuleBuilder(first).T("1");
    BNFarticle caller;
    RuleBuilder(caller).Ref(first, "NtReplace");
    EXPECT_TRUE(test::ParseText(caller, "1").ok);  // caches the target

    Uuid id = first.uid;
    ArticleNamespace& ns = *GrammarRegistry::Instance().FindNamespace("NtReplace");
    BNFarticle& second = NewArticle("NtReplace", "r");
    RuleBuilder(second).T("2");
    ns.SetKey(ns.Find(second.uid), id);
    ns.Remove(ns.Find(id));  // removes the first; the second now answers to the id
    EXPECT_FALSE(test::ParseText(caller, "1").ok);
    EXPECT_TRUE(test::ParseText(caller, "2").ok);
}

TEST(Nonterminals, RegistersFlowInAndOut)
{
    // caller: t_push:7 <inner> t_top ; inner: t_top t_push:9
    BNFarticle& inner = NewArticle("NtRegs", "inner");
    RuleBuilder(inner).Code("t_top").Code("t_push", Value(9));
    BNFarticle caller;
    RuleBuilder(caller).Code("t_push", Value(7)).Ref(inner, "NtRegs").Code("t_top");
    ParseContext ctx("");
    ASSERT_TRUE(caller.Parse(ctx));
    EXPECT_EQ(ctx.state.values, (ValueList{Value(7), Value(9)}));
    ASSERT_EQ(ctx.state.intRegs(9).Count(), 2u);
    EXPECT_EQ(*ctx.state.intRegs(9).Top(1), 7);

    // A target that fails after changing registers hands nothing back.
    BNFarticle& failing = NewArticle("NtRegs", "failing");
    RuleBuilder(failing).Code("t_push", Value(9)).T("never");
    BNFarticle guarded;
    RuleBuilder g(guarded);
    g.Code("t_push", Value(7)).Option([&] { g.Ref(failing, "NtRegs"); }).Code("t_top");
    test::ParseResult r = test::ParseText(guarded, "");
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.values, ValueList{Value(7)});
}

TEST(Nonterminals, StopInsideTheTargetEndsOnlyTheTarget)
{
    BNFarticle& target = NewArticle("NtStop", "t");
    RuleBuilder(target).T("A").Code("t_stop").T("Z");
    BNFarticle caller;
    RuleBuilder(caller).Ref(target, "NtStop").T("B");
    test::ParseResult r = test::ParseText(caller, "AB");
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.pos, 2);
}

TEST(Nonterminals, ComposeRunsTheTargetOnTheSameValues)
{
    BNFarticle& target = NewArticle("NtCompose", "pair");
    RuleBuilder(target).Code("t_byte").T("-").Code("t_byte");
    BNFarticle caller;
    RuleBuilder(caller).T("[").Ref(target, "NtCompose").T("]");
    test::ComposeResult r = test::ComposeValues(caller, {Value(0x31), Value(0x32), Value(0x33)});
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.output, "[1-2]");
    EXPECT_EQ(r.next, 2);
}

}  // namespace
}  // namespace baudrill
