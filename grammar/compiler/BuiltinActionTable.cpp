#include "grammar/compiler/BuiltinActionTable.h"

#include "grammar/compiler/CompilerActions.h"

namespace baudrill {

namespace {

// Value actions in the order of the compose registry, then the rule-compiler
// actions, which exist for parsing only.
constexpr BuiltinAction kActions[] = {
    {"BNFbranch", MetaBranch, nullptr},
    {"BNFbranch_end", MetaBlockEnd, nullptr},
    {"BNFgroup", MetaGroup, nullptr},
    {"BNFgroup_end", MetaGroupEnd, nullptr},
    {"BNFoption", MetaOption, nullptr},
    {"BNFoption_end", MetaBlockEnd, nullptr},
    {"BNFrepeat", MetaRepeat, nullptr},
    {"BNFrepeat_end", MetaBlockEnd, nullptr},
    {"BNFstr", MetaStr, nullptr},
    {"BNFstr10", MetaStr10, nullptr},
    {"BNFterm_end", MetaTermEnd, nullptr},
    {"BNFnonterm_end", MetaNontermEnd, nullptr},
    {"BNFcode_end", MetaCodeEnd, nullptr},
    {"BNFrv", MetaRv, nullptr},
    {"BNFstring", MetaString, nullptr},
    {"BNFdecimal", MetaDecimal, nullptr},
    {"BNFend", MetaEnd, nullptr},
    {"BNFresume", MetaResume, nullptr},
    {"BNFnewScheme", MetaNewScheme, nullptr},
};

}  // namespace

std::span<const BuiltinAction> BuiltinActions()
{
    return kActions;
}

}  // namespace baudrill
