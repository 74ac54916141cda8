#include "grammar/actions/RepetitionActions.h"

#include "grammar/ComposeContext.h"
#include "grammar/ParseContext.h"
#include "grammar/actions/ActionRegisters.h"

#include <cstddef>

namespace baudrill {

namespace {

bool PushCounter(MatchState& state, const Value& count)
{
    return count.IsInt() && state.intRegs(kRepeatCounters).Push(count.GetInt());
}

bool CountDown(MatchState& state)
{
    auto counters = state.intRegs(kRepeatCounters);
    const std::int32_t* top = counters.Top();
    // A spent counter fails before it is decremented, so it never wraps.
    if (!top || *top <= 0)
        return false;
    return counters.SetTop(*top - 1);
}

}  // namespace

bool ParseSetRep(ParseContext& ctx, Value)
{
    return !ctx.state.values.empty() && PushCounter(ctx.state, ctx.state.values.back());
}

bool ComposeSetRep(ComposeContext& ctx, Value)
{
    const int last = ctx.state.next - 1;
    if (last < 0 || static_cast<std::size_t>(last) >= ctx.values.size())
        return false;
    return PushCounter(ctx.state, ctx.values[static_cast<std::size_t>(last)]);
}

bool ParseRep(ParseContext& ctx, Value)
{
    return CountDown(ctx.state);
}

bool ComposeRep(ComposeContext& ctx, Value)
{
    return CountDown(ctx.state);
}

}  // namespace baudrill
