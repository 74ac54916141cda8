// The compiler actions that insert one element: a literal, a reference, a call.

#include "grammar/BNFcode.h"
#include "grammar/BNFnonterminal.h"
#include "grammar/BNFterminal.h"
#include "grammar/GrammarRegistry.h"
#include "grammar/compiler/CompilerActions.h"
#include "grammar/compiler/CompilerStacks.h"

namespace baudrill {

using compiler::InsertAtCursor;
using compiler::PopWord;

bool MetaTermEnd(ParseContext& ctx, Value)
{
    std::string literal;
    return PopWord(ctx, literal) && InsertAtCursor(ctx, std::make_unique<BNFterminal>(std::move(literal)));
}

bool MetaNontermEnd(ParseContext& ctx, Value)
{
    std::string name;
    std::string nspace;
    if (!PopWord(ctx, name) || !PopWord(ctx, nspace))
        return false;
    // The lookup creates a missing namespace, which stays even when the item fails.
    ArticleNamespace& space = GrammarRegistry::Instance().GetAdd(nspace);
    const BNFarticle* found = space.At(space.FindName(name));
    if (!found)
        return false;
    const Uuid target = found->uid;
    return InsertAtCursor(ctx, std::make_unique<BNFnonterminal>(std::move(nspace), target));
}

bool MetaCodeEnd(ParseContext& ctx, Value)
{
    Value argument;
    std::string name;
    if (!ctx.state.valueRegs(ArgumentStack).Pop(argument) || !PopWord(ctx, name))
        return false;
    return InsertAtCursor(ctx, std::make_unique<BNFcode>(std::move(name), std::move(argument)));
}

}  // namespace baudrill
