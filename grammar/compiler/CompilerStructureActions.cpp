// The compiler actions that open and close groups, alternatives, options and
// loops, and the one that starts a new article.

#include "grammar/BNFarticle.h"
#include "grammar/compiler/ArticleFactory.h"
#include "grammar/compiler/CompilerActions.h"
#include "grammar/compiler/CompilerStacks.h"
#include "grammar/compiler/CompileScope.h"

namespace baudrill {

using compiler::BuildPosition;
using compiler::MayInsert;
using compiler::OpenLevel;
using compiler::PopWord;

namespace {

// An option (up false) or a loop (up true) around a new link after the cursor:
// an option's content goes on the splitter's first successor, a loop's on the
// back edge; compiling continues behind the construct.
bool OpenBlock(ParseContext& ctx, bool up)
{
    BNFelement* c = BuildPosition(ctx, CursorStack);
    if (!c || !MayInsert(ctx))
        return false;
    BNFelement* x = buildArticle->InsertLinkAfter(c);
    if (!x)
        return false;
    BNFelement* before = nullptr;
    BNFelement* after = nullptr;
    BNFelement* branch = buildArticle->WrapRegion(up, x, x, before, after);
    if (!branch)
        return false;
    return OpenLevel(ctx, after, up ? branch : x);
}

}  // namespace

bool MetaGroup(ParseContext& ctx, Value)
{
    BNFelement* c = BuildPosition(ctx, CursorStack);
    return c && ctx.state.elementRegs(GroupStarts).Push(c);
}

bool MetaGroupEnd(ParseContext& ctx, Value) { return ctx.state.elementRegs(GroupStarts).Pop(); }

bool MetaBranch(ParseContext& ctx, Value)
{
    BNFelement* g = BuildPosition(ctx, GroupStarts);
    BNFelement* e = BuildPosition(ctx, CursorStack);
    if (!g || !e || !MayInsert(ctx))
        return false;
    BNFelement* before = nullptr;
    BNFelement* after = nullptr;
    BNFelement* branch = buildArticle->WrapRegion(false, g, e, before, after);
    return branch && OpenLevel(ctx, after, branch);
}

bool MetaOption(ParseContext& ctx, Value) { return OpenBlock(ctx, false); }

bool MetaRepeat(ParseContext& ctx, Value) { return OpenBlock(ctx, true); }

bool MetaBlockEnd(ParseContext& ctx, Value)
{
    // A level opened by OpenLevel stands on both stacks, above the level it is in.
    if (ctx.state.elementRegs(CursorStack).Count() < 2)
        return false;
    return ctx.state.elementRegs(GroupStarts).Pop() && ctx.state.elementRegs(CursorStack).Pop();
}

bool MetaNewScheme(ParseContext& ctx, Value)
{
    if (!CompileScope::Active() || ctx.state.stringRegs(WordStack).Count() < 2)
        return false;
    std::string name;
    std::string nspace;
    PopWord(ctx, name);
    PopWord(ctx, nspace);
    BNFarticle* article = CreateArticle(nspace, name, std::string());
    buildArticle = article;
    BNFelement* start = article->cursor;  // the skeleton link
    return ctx.state.elementRegs(GroupStarts).Push(start) && ctx.state.elementRegs(CursorStack).Push(start);
}

}  // namespace baudrill
