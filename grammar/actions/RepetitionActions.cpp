#include "grammar/actions/RepetitionActions.h"

#include "grammar/ComposeContext.h"
#include "grammar/ParseContext.h"
#include "grammar/actions/ActionRegisters.h"

#include <cstddef>

namespace baudrill {

namespace {

bool PushCounter(MatchState& state, const Value& count)
{
    return count.IsInt() && state.intRegs(RepeatCounters).Push(count.GetInt());
}

}  // namespace

bool ParseSetRep(ParseContext& ctx, Value)
{
    return !ctx.Values().empty() && PushCounter(ctx.state, ctx.state.values.back());
}

bool ComposeSetRep(ComposeContext& ctx, Value)
{
    const int last = ctx.state.next - 1;
    if (last < 0 || static_cast<std::size_t>(last) >= ctx.values.size())
        return false;
    return PushCounter(ctx.state, ctx.values[static_cast<std::size_t>(last)]);
}

bool ParseRep(ParseContext& ctx, Value) { return CountDownRepetition(ctx.state); }

bool ComposeRep(ComposeContext& ctx, Value) { return CountDownRepetition(ctx.state); }

}  // namespace baudrill
