#pragma once

#include "grammar/Value.h"

namespace baudrill {

class ParseContext;
class ComposeContext;

// A named action, called by a code element with the running context and a copy
// of the element's argument. It returns true when it matched; on false the code
// element undoes every change the action made to the context and fails, so the
// matcher backtracks. See ParseContext.h and ComposeContext.h for what an
// action may read and change.
using ParseAction = bool (*)(ParseContext& ctx, Value arg);
using ComposeAction = bool (*)(ComposeContext& ctx, Value arg);

}  // namespace baudrill
