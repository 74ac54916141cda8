#pragma once

#include "grammar/GrammarActions.h"

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

}  // namespace baudrill
