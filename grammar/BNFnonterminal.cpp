#include "grammar/BNFnonterminal.h"

#include "grammar/BNFarticle.h"

namespace baudrill {

BNFnonterminal::BNFnonterminal(std::string ns, const Uuid& id) : uid(id), nspace(std::move(ns))
{
    type = kNonterminalType;
}

std::string BNFnonterminal::GetText() const
{
    BNFarticle* target = Target();
    return target ? target->name : std::string();
}

}  // namespace baudrill
