#pragma once

#include "grammar/InputView.h"
#include "grammar/ParseState.h"
#include "grammar/RunControl.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace baudrill {

// The input and the state of one parse run. Make a fresh context for every run:
//     ParseContext ctx(bytes);            // `bytes` must outlive the run
//     if (article.Parse(ctx)) use(ctx.state.pos, ctx.state.values);
// Read the state only after success.
//
// A parse action reads `input` at `state.pos` through the helpers below (they
// never read outside the input), advances `pos`, appends to `state.values`
// (AddValue) and changes registers through `state.intRegs(n)` and the like. It
// returns true when it matched. On false its code element restores everything
// it changed (except `stop`), so an action may fail after changing things.
class ParseContext {
public:
    ParseContext() = default;
    // The context only views its input: a temporary string is refused (see InputView).
    explicit ParseContext(InputView bytes) : input(bytes) {}
    ParseContext(const ParseContext&) = delete;
    ParseContext& operator=(const ParseContext&) = delete;

    // True while `state.pos` lies within the input (0 to its length).
    bool PosValid() const { return state.pos >= 0 && static_cast<std::size_t>(state.pos) <= input.size(); }
    // Bytes left after `pos`; 0 when `pos` is invalid.
    std::size_t Remaining() const { return PosValid() ? input.size() - static_cast<std::size_t>(state.pos) : 0; }
    bool Has(std::size_t n) const { return PosValid() && Remaining() >= n; }
    // The input from `pos` on (empty when `pos` is invalid).
    std::string_view Rest() const { return PosValid() ? input.substr(static_cast<std::size_t>(state.pos)) : std::string_view(); }
    // The byte `offset` places after `pos`, as 0..255; requires Has(offset + 1).
    unsigned ByteAt(std::size_t offset) const
    {
        return static_cast<unsigned char>(input[static_cast<std::size_t>(state.pos) + offset]);
    }
    void Advance(std::size_t n) { state.pos += static_cast<int>(n); }
    void AddValue(Value&& v)
    {
        if (state.values.size() == state.values.capacity())
            GrowValues();
        state.values.push_back(std::move(v));
    }
    void AddValue(const Value& v) { AddValue(Value(v)); }

    // Saves `pos`, the length of `values`, the register undo height and the
    // retry flag; Restore gives them back (the input view and `stop` are not part of it).
    // The mark stays good across runs on this context: once a caller has taken
    // one, the runs keep the register undo log (the context is made for one
    // task, so it does not grow for long).
    ParseMark Mark()
    {
        run.callerMarked = true;
        return Snapshot();
    }
    void Restore(const ParseMark& mark);

    // Choices open right now (the matcher's stack, all nested runs included).
    std::size_t OpenChoices() const { return run.choices.size(); }
    bool BudgetExhausted() const { return run.aborted; }
    // A nonterminal failed for being nested too deep somewhere in the run: its caller went on
    // along other branches, so a result may differ from what the rule means.
    bool NestingExceeded() const { return run.nestingExceeded; }

    InputView input;
    // Set by an action ("BNFend") to end the current run with success at once.
    bool stop = false;
    ParseState state;
    // Steps this run may still take. Runs that must share one budget pass the
    // rest on: ctx2.stepsLeft = ctx1.stepsLeft after the first run.
    std::int64_t stepsLeft = kDefaultStepBudget;

    RunControl<ParseMark> run;  // the matcher's own

private:
    template <class Direction>
    friend class detail::Matcher;

    // Makes room for more values: 16 at first (one allocation for a typical
    // frame), then twice as many. Out of line, so AddValue stays small.
    void GrowValues();
    // The matcher's own marks, which need not keep the undo log.
    ParseMark Snapshot() const { return {state.pos, state.values.size(), state.registers.UndoHeight(), state.retry}; }
};

}  // namespace baudrill
