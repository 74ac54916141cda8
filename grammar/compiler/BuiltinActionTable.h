#pragma once

#include "grammar/GrammarActions.h"

#include <span>

namespace baudrill {

// One name of the built-in action table with its operation in each direction;
// null where the action does not exist in that direction.
struct BuiltinAction {
    const char* name;
    ParseAction parse;
    ComposeAction compose;
};

// Every built-in action, each name once.
std::span<const BuiltinAction> BuiltinActions();

}  // namespace baudrill
