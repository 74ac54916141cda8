#pragma once

#include "grammar/MatchState.h"
#include "grammar/Value.h"

namespace baudrill {

// The state of a parse run. `values` only grows during a run: actions append
// to it and never change or remove what is there, so backtracking can restore
// it by cutting it back to an earlier length.
class ParseState : public MatchState {
public:
    int pos = 0;       // index of the next input byte: the bytes consumed so far
    ValueList values;  // values produced so far, in order
};

// What a parse run saves where it may have to come back: at choice points,
// around every action and around every nonterminal.
struct ParseMark {
    int pos;
    std::size_t values;
    std::size_t undo;
    bool retry;
};

}  // namespace baudrill
