#include "grammar/compiler/GrammarBuiltins.h"

#include "grammar/ActionRegistry.h"
#include "grammar/ArticleRef.h"
#include "grammar/BNFarticle.h"
#include "grammar/BuiltinNamespace.h"
#include "grammar/GrammarRegistry.h"
#include "grammar/compiler/BuiltinActionTable.h"
#include "grammar/compiler/MetaGrammar.h"

namespace baudrill {

namespace {

struct Builtins {
    bool initialised = false;
    // "BNFscheme" by identifier: an article pointer could outlive its article.
    Uuid schemeUid;
    ArticleRef scheme;
};

Builtins& State()
{
    static Builtins builtins;
    return builtins;
}

void RegisterActions()
{
    ComposeActionRegistry& compose = ComposeActionRegistry::Instance();
    for (const BuiltinAction& action : BuiltinActions())
        if (action.compose)
            compose.Register(action.name, action.compose);
    ParseActionRegistry& parse = ParseActionRegistry::Instance();
    for (const BuiltinAction& action : BuiltinActions())
        if (action.parse)
            parse.Register(action.name, action.parse);
}

}  // namespace

void InitGrammarBuiltins()
{
    Builtins& state = State();
    if (state.initialised)
        return;
    // Set first: the article factories that build the meta-grammar call back in here.
    state.initialised = true;
    GrammarRegistry::Instance().GetAdd(BuiltinNamespace);
    RegisterActions();
    state.schemeUid = BuildMetaGrammar().uid;
}

const BNFarticle* MetaGrammarScheme()
{
    const Builtins& state = State();
    if (state.schemeUid.IsNull())
        return nullptr;
    return state.scheme.Resolve(BuiltinNamespace, state.schemeUid);
}

}  // namespace baudrill
