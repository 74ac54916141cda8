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

    // Reading the input. Every element and action reads it through these, so
    // the context knows how far the run looked: Reach() is one past the furthest
    // input position read or tested, a test for a byte at or past the input's
    // end included (it reaches past the end). A run whose Reach() stays within
    // the input gives the same result however the input goes on after it.

    // True while `state.pos` lies within the input (0 to its length).
    bool PosValid() const
    {
        if (state.pos < 0)
            return false;
        Touch(static_cast<std::size_t>(state.pos));
        return static_cast<std::size_t>(state.pos) <= input.size();
    }
    // Bytes left after `pos`; 0 when `pos` is invalid. Depends on where the input ends.
    std::size_t Remaining() const
    {
        Touch(input.size() + 1);
        return PosValid() ? input.size() - static_cast<std::size_t>(state.pos) : 0;
    }
    bool Has(std::size_t n) const
    {
        if (state.pos < 0)
            return false;
        const std::size_t end = static_cast<std::size_t>(state.pos) + n;
        Touch(end);
        return end <= input.size();
    }
    // The input from `pos` on (empty when `pos` is invalid). Whoever reads this
    // may look anywhere up to the end, so it counts as looking at the end: an
    // action that scans reads with Peek, RunEnd or Bytes instead.
    std::string_view Rest() const
    {
        Touch(input.size() + 1);
        return PosValid() ? input.substr(static_cast<std::size_t>(state.pos)) : std::string_view();
    }
    // The byte `offset` places after `pos`, as 0..255; requires Has(offset + 1),
    // which already counted it as looked at.
    unsigned ByteAt(std::size_t offset) const
    {
        return static_cast<unsigned char>(input[static_cast<std::size_t>(state.pos) + offset]);
    }
    // The byte `offset` places after `pos`, as 0..255, or -1 when there is none.
    int Peek(std::size_t offset) const
    {
        if (state.pos < 0)
            return -1;
        const std::size_t at = static_cast<std::size_t>(state.pos) + offset;
        Touch(at + 1);
        return at < input.size() ? static_cast<unsigned char>(input[at]) : -1;
    }
    // The `n` bytes at `pos`; empty when fewer remain.
    std::string_view Bytes(std::size_t n)
    {
        if (!Has(n))
            return {};
        Charge(n);
        return input.substr(static_cast<std::size_t>(state.pos), n);
    }
    // The offset from `pos` of the first byte at or after `from` that `keep`
    // refuses, or of the input's end.
    template <class Keep>
    std::size_t RunEnd(std::size_t from, Keep keep)
    {
        if (!PosValid())
            return from;
        const std::size_t start = static_cast<std::size_t>(state.pos);
        std::size_t at = start + from;
        while (at < input.size() && keep(input[at]))
            ++at;
        Touch(at + 1);
        Charge(at - start);
        return at - start;
    }
    // The bytes from index `first` to index `last` of the input (inclusive,
    // `first` <= `last`), wherever `pos` is; empty when they do not lie within
    // it. The caller pays for what it does with them.
    std::string_view Within(std::int64_t first, std::int64_t last)
    {
        if (first < 0 || first > last)
            return {};
        Touch(static_cast<std::size_t>(last) + 1);
        if (static_cast<std::size_t>(last) >= input.size())
            return {};
        return input.substr(static_cast<std::size_t>(first), static_cast<std::size_t>(last - first) + 1);
    }
    std::size_t Reach() const { return reach_; }
    // Whether the run looked at or past the input's end.
    bool ReachedEnd() const { return reach_ > input.size(); }

    // Pays for an action's work over `bytes` bytes (scanned, summed, copied)
    // from the step budget, so that a step's time stays bounded.
    void Charge(std::size_t bytes) { stepsLeft -= static_cast<std::int64_t>(bytes / WorkBytesPerStep); }
    // Pays for work that costs about a step a byte (a checksum).
    void ChargeSteps(std::size_t steps) { stepsLeft -= static_cast<std::int64_t>(steps); }

    void Advance(std::size_t n) { state.pos += static_cast<int>(n); }
    void AddValue(Value&& v)
    {
        MakeFieldValues();
        if (state.values.size() == state.values.capacity())
            GrowValues();
        state.values.push_back(std::move(v));
    }
    void AddValue(const Value& v) { AddValue(Value(v)); }
    // An int value, made in its place in `values` (the numeric fields add one per byte or two).
    void AddInt(std::int32_t v)
    {
        MakeFieldValues();
        if (state.values.size() == state.values.capacity())
            GrowValues();
        state.values.emplace_back(v);
    }

    // The values of the run so far. A counted loop of integer fields leaves its
    // numbers in the input until something needs them (most such runs fail, and
    // a failed run's values are never used): an action that reads values during
    // a run reads them here. A run that matches leaves them all in `state.values`.
    ValueList& Values()
    {
        MakeFieldValues();
        return state.values;
    }
    std::size_t ValueCount() const { return state.values.size() + fieldCount_; }
    // Counts `count` fields of `width` bytes from input index `at` as values, made
    // by `make` when needed; fields that go on from the last such run join it.
    using FieldValueMaker = void (*)(ValueList& values, const char* bytes, std::size_t count);
    void AddFieldValues(FieldValueMaker make, std::size_t width, std::size_t at, std::size_t count)
    {
        if (fieldCount_ && (make != fieldMaker_ || fieldAt_ + fieldCount_ * fieldWidth_ != at))
            MakeFieldValues();
        if (!fieldCount_) {
            fieldMaker_ = make;
            fieldWidth_ = width;
            fieldAt_ = at;
        }
        fieldCount_ += count;
    }
    void MakeFieldValues()
    {
        if (fieldCount_) [[unlikely]]
            MakeFieldValuesNow();
    }
    // Cuts the values back to the first `count` of them.
    void CutValues(std::size_t count);

    // Makes this context what a fresh one on `bytes` would be, keeping the
    // memory it holds: for a caller that runs many parses one after another.
    void Renew(InputView bytes);

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
    std::int64_t stepsLeft = DefaultStepBudget;

    RunControl<ParseMark> run;  // the matcher's own

private:
    template <class Direction>
    friend class detail::Matcher;

    // Makes room for more values: 16 at first (one allocation for a typical
    // frame), then twice as many. Out of line, so AddValue stays small.
    void GrowValues();
    void Touch(std::size_t end) const
    {
        if (end > reach_)
            reach_ = end;
    }

    void MakeFieldValuesNow();

    mutable std::size_t reach_ = 0;
    // The fields counted as values and not made yet: the last `fieldCount_`
    // values, whose bytes start at input index `fieldAt_`.
    FieldValueMaker fieldMaker_ = nullptr;
    std::size_t fieldWidth_ = 0;
    std::size_t fieldAt_ = 0;
    std::size_t fieldCount_ = 0;

    // The matcher's own marks, which need not keep the undo log.
    ParseMark Snapshot() const { return {state.pos, ValueCount(), state.registers.UndoHeight(), state.retry}; }
};

}  // namespace baudrill
