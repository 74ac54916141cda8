#include "grammar/BNFcode.h"

#include "grammar/Matcher.h"

namespace baudrill {

BNFcode::BNFcode(std::string name, Value argument) : id(std::move(name)), v(std::move(argument))
{
    type = kCodeType;
}

BNFcode::BNFcode(const BNFcode& other) : BNFelement(other), id(other.id), v(other.v) {}

}  // namespace baudrill

namespace baudrill {

bool BNFcode::Parse(ParseContext& ctx) const
{
    ParseAction action = id.ParseFunction();
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
    ComposeAction action = id.ComposeFunction();
    return action && detail::ComposeMatcher::RunAction(action, ctx, v);
}

}  // namespace baudrill
