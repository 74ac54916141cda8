#pragma once

#include "grammar/ComposeState.h"
#include "grammar/RunControl.h"
#include "grammar/Value.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace baudrill {

// The values and the state of one compose run. Make a fresh context for every run:
//     ComposeContext ctx(std::move(values));
//     if (article.Compose(ctx)) send(ctx.state.output);
// Read the state only after success.
//
// A compose action takes the value at `state.next` (TakeValue), checks its kind,
// and appends bytes to `state.output` (Write); it never changes `values`. It
// returns true when it matched; on false its code element restores everything it
// changed, `next` and `output` included.
class ComposeContext {
public:
    ComposeContext() = default;
    explicit ComposeContext(ValueList list) : values(std::move(list)) {}
    ComposeContext(const ComposeContext&) = delete;
    ComposeContext& operator=(const ComposeContext&) = delete;

    // True when a value is left at `next`.
    bool HasValue() const { return state.next >= 0 && static_cast<std::size_t>(state.next) < values.size(); }
    // The value at `next`, advancing `next`; null (and nothing advanced) when none is left.
    const Value* TakeValue()
    {
        if (!HasValue())
            return nullptr;
        return &values[static_cast<std::size_t>(state.next++)];
    }
    void Write(std::string_view bytes)
    {
        Charge(bytes.size());
        state.output.append(bytes);
    }
    void WriteByte(unsigned byte) { state.output.push_back(static_cast<char>(byte & 0xFF)); }
    // Writes an escape text ("\0A") and records where it starts, so the sender
    // resolves it while any other backslash byte goes out unchanged.
    void WriteEscape(std::string_view escape)
    {
        state.escapes.push_back(state.output.size());
        state.output.append(escape);
    }

    // Pays for an action's work over `bytes` bytes (or values) from the step
    // budget, so that a step's time stays bounded.
    void Charge(std::size_t bytes) { stepsLeft -= static_cast<std::int64_t>(bytes / WorkBytesPerStep); }
    // Pays for work that costs about a step a byte (a checksum).
    void ChargeSteps(std::size_t steps) { stepsLeft -= static_cast<std::int64_t>(steps); }

    // Saves `next`, the length of `output`, the register undo height and the
    // retry flag; Restore gives them back (and drops escapes past the output).
    // The mark stays good across runs on this context: once a caller has taken
    // one, the runs keep the register undo log (the context is made for one
    // task, so it does not grow for long).
    ComposeMark Mark()
    {
        run.callerMarked = true;
        return Snapshot();
    }
    void Restore(const ComposeMark& mark);

    std::size_t OpenChoices() const { return run.choices.size(); }
    bool BudgetExhausted() const { return run.aborted; }
    // A nonterminal failed for being nested too deep somewhere in the run: its caller went on
    // along other branches, so a result may differ from what the rule means.
    bool NestingExceeded() const { return run.nestingExceeded; }

    ValueList values;
    ComposeState state;
    std::int64_t stepsLeft = DefaultStepBudget;

    RunControl<ComposeMark> run;  // the matcher's own

private:
    template <class Direction>
    friend class detail::Matcher;
    // The matcher's own marks, which need not keep the undo log.
    ComposeMark Snapshot() const
    {
        return {state.next, state.output.size(), state.registers.UndoHeight(), state.retry};
    }
};

}  // namespace baudrill
