#include "grammar/BNFnonterminal.h"

#include "grammar/BNFarticle.h"
#include "grammar/Matcher.h"

namespace baudrill {

BNFnonterminal::BNFnonterminal(std::string ns, const Uuid& id) : uid(id), nspace(std::move(ns))
{
    type = NonterminalType;
}

std::string BNFnonterminal::GetText() const
{
    BNFarticle* target = Target();
    return target ? target->name : std::string();
}

}  // namespace baudrill

namespace baudrill {

bool BNFnonterminal::Parse(ParseContext& ctx) const { return detail::ParseMatcher::RunNonterminal(Target(), ctx); }

bool BNFnonterminal::Compose(ComposeContext& ctx) const
{
    return detail::ComposeMatcher::RunNonterminal(Target(), ctx);
}

}  // namespace baudrill
