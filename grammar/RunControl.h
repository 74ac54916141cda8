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
inline constexpr std::int64_t DefaultStepBudget = 10'000'000;  // elements run, sub-runs included
inline constexpr int MaxNonterminalNesting = 512;
// Bytes of an action's own work (read, summed, written) that cost one step.
inline constexpr std::size_t WorkBytesPerStep = 8;
// Memory a run may hold (values or output, registers, choices) before it pays
// for more, and the steps that each further byte costs: fresh memory costs
// time too, so a budget of steps bounds it. Checked every few steps.
inline constexpr std::size_t FreeFootprint = 256 << 10;
inline constexpr std::int64_t StepsPerFootprintByte = 4;
inline constexpr std::int64_t FootprintCheckSteps = 1024;

// No loop iteration under way (see RunControl::iteration).
inline constexpr std::uint32_t NoIteration = 0xFFFFFFFFu;

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
    std::uint32_t iteration = NoIteration;
    int depth = 0;              // nonterminals being run
    int heldMarks = 0;          // marks that nonterminals and code elements hold right now
    bool callerMarked = false;  // a caller took a mark: the register undo log is kept for it
    // Below this step count (stepsLeft) the run looks at the memory it holds,
    // the next time an action has run or a choice was pushed; and the memory
    // paid for so far. Set as the outermost run begins.
    std::int64_t footprintCheckAt = 0;
    bool started = false;
    std::size_t footprintPaid = FreeFootprint;
    bool aborted = false;          // the step budget ran out: every level fails at once
    bool nestingExceeded = false;  // a nonterminal failed for being nested too deep
};

}  // namespace baudrill
