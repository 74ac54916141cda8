#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace baudrill {

class BNFelement;

namespace detail {
template <class Direction>
class Matcher;
}

// Bounds of every run. A run that exceeds one fails instead of hanging.
inline constexpr std::int64_t kDefaultStepBudget = 10'000'000;  // elements run, sub-runs included
inline constexpr int kMaxNonterminalNesting = 512;

// No loop iteration under way (see RunControl::iteration).
inline constexpr std::uint32_t kNoIteration = 0xFFFFFFFFu;

// One open choice: the splitter, whether its other successor is untried, the
// loop iteration that was under way when it was pushed, and the state marks at
// the moment it was reached.
template <class Mark>
struct ChoicePoint {
    const BNFelement* splitter;
    bool retry;
    std::uint32_t outer;
    Mark mark;
};

// The matcher's bookkeeping in a context; actions leave it alone.
template <class Mark>
struct RunControl {
    std::vector<ChoicePoint<Mark>> choices;  // shared by nested runs, each above its own base
    // The choice point of the innermost loop iteration under way (pushed by its
    // splitter), so that the iteration's unitor finds its marks without a search.
    std::uint32_t iteration = kNoIteration;
    int depth = 0;         // nonterminals being run
    int heldMarks = 0;     // marks that nonterminals and code elements hold right now
    bool callerMarked = false;  // a caller took a mark: the register undo log is kept for it
    bool aborted = false;  // the step budget ran out: every level fails at once
    bool nestingExceeded = false;  // a nonterminal failed for being nested too deep
};

}  // namespace baudrill
