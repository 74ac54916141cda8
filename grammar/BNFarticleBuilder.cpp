// The article builder: every operation that adds elements to a graph.
// Each keeps both directions of every edge it touches.

#include "grammar/BNFarticle.h"
#include "grammar/BNFcode.h"
#include "grammar/BNFlink.h"
#include "grammar/BNFnonterminal.h"
#include "grammar/BNFsplitter.h"
#include "grammar/BNFterminal.h"
#include "grammar/BNFunitor.h"
#include "grammar/BuiltinNamespace.h"
#include "grammar/GrammarRegistry.h"

namespace baudrill {

namespace {

// The two splices every operation is made of. Each keeps both directions of
// every edge it touches: the neighbour's reference is moved with ReplaceLink or
// ReplaceInput, so a neighbour that reaches x through link1 or input1 (a
// splitter's branch, a unitor's branch end) stays consistent too.

// pred -> x  becomes  pred -> e -> x
void SpliceBefore(BNFelement* x, BNFelement* e)
{
    BNFelement* pred = x->input0;
    pred->ReplaceLink(x, e);
    e->input0 = pred;
    e->link0 = x;
    x->input0 = e;
}

// x -> succ  becomes  x -> e -> succ
void SpliceAfter(BNFelement* x, BNFelement* e)
{
    BNFelement* succ = x->link0;
    succ->ReplaceInput(x, e);
    e->link0 = succ;
    e->input0 = x;
    x->link0 = e;
}

// The branch link from a splitter to its unitor.
void LinkBranch(BNFelement* splitter, BNFelement* unitor, BNFelement* branch)
{
    splitter->link1 = branch;
    branch->input0 = splitter;
    branch->link0 = unitor;
    unitor->input1 = branch;
}

}  // namespace

BNFarticle& BNFarticle::SetMark(bool a)
{
    (a ? markA : markB) = cursor;
    return *this;
}

BNFarticle& BNFarticle::PopCursor(int)
{
    if (!cursorStack.empty()) {
        cursor = cursorStack.back();
        cursorStack.pop_back();
    }
    return *this;
}

BNFarticle& BNFarticle::InsertLink(int)
{
    if (!cursor || !cursor->link0)
        return *this;
    auto link = std::make_unique<BNFlink>();
    SpliceAfter(cursor, link.get());
    cursor = Append(std::move(link));
    return *this;
}

void BNFarticle::InsertAtCursor(std::unique_ptr<BNFelement> element)
{
    if (!cursor || !cursor->link0)
        return;
    auto link = std::make_unique<BNFlink>();
    SpliceAfter(cursor, link.get());
    SpliceAfter(cursor, element.get());
    Append(std::move(element));
    cursor = Append(std::move(link));
}

BNFarticle& BNFarticle::InsertTerminal(std::string_view literal)
{
    InsertAtCursor(std::make_unique<BNFterminal>(std::string(literal)));
    return *this;
}

BNFarticle& BNFarticle::InsertCode(const BNFcode& code)
{
    auto copy = std::make_unique<BNFcode>(code);
    copy->link1 = copy->input1 = nullptr;  // a code element has one predecessor and one successor
    InsertAtCursor(std::move(copy));
    return *this;
}

BNFarticle& BNFarticle::InsertNonterminal(std::string_view articleName)
{
    ArticleNamespace* ns = GrammarRegistry::Instance().FindNamespace(BuiltinNamespace);
    if (!ns)
        return *this;
    const BNFarticle* target = ns->At(ns->FindName(articleName));
    if (!target || target->uid.IsNull())
        return *this;
    InsertAtCursor(std::make_unique<BNFnonterminal>(BuiltinNamespace, target->uid));
    return *this;
}

BNFarticle& BNFarticle::Wrap(bool up)
{
    cursorStack.push_back(cursor);
    if (!elements.Contains(markA) || !elements.Contains(markB))
        return *this;
    // The marks must have the neighbours the construct is put between.
    if (up ? !markA->link0 || !markB->input0 : !markA->input0 || !markB->link0)
        return *this;

    BNFelement* s = Append(std::make_unique<BNFsplitter>(up));
    BNFelement* u = Append(std::make_unique<BNFunitor>(static_cast<BNFsplitter*>(s)));
    if (!up) {
        // A fork around markA .. markB: the splitter before markA, the unitor after markB.
        SpliceBefore(markA, s);
        SpliceAfter(markB, u);
    } else {
        // A loop whose forward path runs markB .. markA: the splitter after markA,
        // the unitor before markB.
        SpliceAfter(markA, s);
        SpliceBefore(markB, u);
    }
    BNFelement* branch = Append(std::make_unique<BNFlink>());
    LinkBranch(s, u, branch);
    cursor = branch;
    return *this;
}

BNFelement* BNFarticle::InsertLinkAfter(BNFelement* at)
{
    if (!elements.Contains(at) || !at->link0)
        return nullptr;
    BNFelement* link = Append(std::make_unique<BNFlink>());
    SpliceAfter(at, link);
    return link;
}

BNFelement* BNFarticle::InsertElementAfter(BNFelement* at, std::unique_ptr<BNFelement> e)
{
    if (elements.Contains(e.get())) {
        // Already ours: refused, and left to the article that owns it.
        static_cast<void>(e.release());
        return nullptr;
    }
    if (!e || !elements.Contains(at) || !at->link0)
        return nullptr;
    auto link = std::make_unique<BNFlink>();
    SpliceAfter(at, link.get());
    SpliceAfter(at, e.get());
    Append(std::move(e));
    return Append(std::move(link));
}

BNFelement* BNFarticle::WrapRegion(bool up, BNFelement* first, BNFelement* last, BNFelement*& before,
                                   BNFelement*& after)
{
    before = after = nullptr;
    if (!elements.Contains(first) || !elements.Contains(last))
        return nullptr;
    if (up ? !first->link0 || !last->input0 : !first->input0 || !last->link0)
        return nullptr;

    BNFelement* s = Append(std::make_unique<BNFsplitter>(up));
    BNFelement* u = Append(std::make_unique<BNFunitor>(static_cast<BNFsplitter*>(s)));
    BNFelement* b = Append(std::make_unique<BNFlink>());
    BNFelement* p = Append(std::make_unique<BNFlink>());
    BNFelement* q = Append(std::make_unique<BNFlink>());
    if (!up) {
        // predecessor, P, S, first ... last, U, Q, successor
        SpliceBefore(first, s);
        SpliceBefore(s, p);
        SpliceAfter(last, q);
        SpliceAfter(last, u);
        before = p;
        after = q;
    } else {
        // predecessor, Q, U, last ... first, S, P, successor
        SpliceAfter(first, p);
        SpliceAfter(first, s);
        SpliceBefore(last, u);
        SpliceBefore(u, q);
        before = q;
        after = p;
    }
    LinkBranch(s, u, b);
    return b;
}

}  // namespace baudrill
