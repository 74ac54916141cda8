#pragma once

#include "grammar/GrammarActions.h"
#include "grammar/MatchState.h"
#include "grammar/actions/ActionRegisters.h"

#include <cstdint>

namespace baudrill {

// Counted repetition through the counter stack intRegs(9). The argument is ignored.

// "set_rep": pushes the int value read last (parse: the last of `values`;
// compose: the value consumed last) as a new counter. Fails on another kind or
// when there is no such value.
bool ParseSetRep(ParseContext& ctx, Value arg);
bool ComposeSetRep(ComposeContext& ctx, Value arg);

// "rep", at the start of a loop's content: fails when no counter is set or the
// top counter is 0 or less; otherwise counts it down by one and succeeds. Spent
// counters stay on the stack.
bool ParseRep(ParseContext& ctx, Value arg);
bool ComposeRep(ComposeContext& ctx, Value arg);

// What "rep" does, on either state. The matcher runs the turns of a loop that
// begins with "rep" through it without going round the loop's elements.
inline bool CountDownRepetition(MatchState& state)
{
    auto counters = state.intRegs(RepeatCounters);
    const std::int32_t* top = counters.Top();
    // A spent counter fails before it is decremented, so it never wraps.
    if (!top || *top <= 0)
        return false;
    return counters.SetTop(*top - 1);
}

}  // namespace baudrill
