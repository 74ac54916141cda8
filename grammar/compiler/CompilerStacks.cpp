#include "grammar/compiler/CompilerStacks.h"

#include "grammar/compiler/CompileScope.h"

#include "grammar/BNFarticle.h"

namespace baudrill::compiler {

bool PopWord(ParseContext& ctx, std::string& word) { return ctx.state.stringRegs(WordStack).Pop(word); }

BNFelement* BuildPosition(const ParseContext& ctx, int stack)
{
    BNFelement* const* top = ctx.state.elementRegs(stack).Top();
    if (!top || !buildArticle || !buildArticle->elements.Contains(*top))
        return nullptr;
    return *top;
}

bool MayInsert(const ParseContext& ctx)
{
    return CompileScope::Active() && buildArticle &&
           buildArticle->compilePlaces.Claim(ctx.state.current, ctx.state.pos);
}

bool InsertAtCursor(ParseContext& ctx, std::unique_ptr<BNFelement> e)
{
    BNFelement* at = BuildPosition(ctx, CursorStack);
    if (!at || !MayInsert(ctx))
        return false;
    BNFelement* link = buildArticle->InsertElementAfter(at, std::move(e));
    return link && ctx.state.elementRegs(CursorStack).SetTop(link);
}

bool OpenLevel(ParseContext& ctx, BNFelement* after, BNFelement* inner)
{
    return ctx.state.elementRegs(CursorStack).SetTop(after) && ctx.state.elementRegs(GroupStarts).Push(inner) &&
           ctx.state.elementRegs(CursorStack).Push(inner);
}

}  // namespace baudrill::compiler
