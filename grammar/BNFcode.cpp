#include "grammar/BNFcode.h"

#include "grammar/ActionRegistry.h"
#include "grammar/Matcher.h"

namespace baudrill {

BNFcode::BNFcode(std::string name, Value argument) : id(std::move(name)), v(std::move(argument))
{
    type = kCodeType;
}

BNFcode::BNFcode(const BNFcode& other) : BNFelement(other), id(other.id), v(other.v) {}

// Only found functions are cached: a name registered later is still found.
template <class Registry, class Action>
Action BNFcode::Find(CachedAction<Action>& cache) const
{
    if (!cache.action || cache.name != id)
        cache = {id, Registry::Instance().Find(id)};
    return cache.action;
}

}  // namespace baudrill

namespace baudrill {

bool BNFcode::Parse(ParseContext& ctx) const
{
    ParseAction action = Find<ParseActionRegistry>(parseAction_);
    if (!action)
        return false;
    // The input is the caller's view; an action that re-points it is undone too.
    const std::string_view input = ctx.input;
    bool matched = detail::ParseMatcher::RunAction(action, ctx, v);
    if (!matched)
        ctx.input = input;
    return matched;
}

bool BNFcode::Compose(ComposeContext& ctx) const
{
    ComposeAction action = Find<ComposeActionRegistry>(composeAction_);
    return action && detail::ComposeMatcher::RunAction(action, ctx, v);
}

}  // namespace baudrill
