#pragma once

#include "grammar/MatchState.h"

#include <cstddef>
#include <string>
#include <vector>

namespace baudrill {

// The state of a compose run. `output` only grows during a run: actions append
// to it and never change what is there, so backtracking can restore it by
// cutting it back to an earlier length.
class ComposeState : public MatchState {
public:
    int next = 0;        // index in ComposeContext::values of the next value to consume
    std::string output;  // the bytes produced so far
    // Offsets in `output` where an action wrote a "\XX" escape that the sender
    // resolves (see ComposeContext::WriteEscape); ascending.
    std::vector<std::size_t> escapes;
};

struct ComposeMark {
    int next;
    std::size_t output;
    std::size_t undo;
    bool retry;
};

}  // namespace baudrill
