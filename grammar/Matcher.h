#pragma once

// The matcher's run loop, shared by both directions. Internal to the engine:
// callers use BNFarticle::Parse and BNFarticle::Compose.
//
// Instead of copying the state at every step, a choice point keeps marks (pos
// or next, the length of values or output, the register undo height), and a
// failure restores them. A nonterminal runs its target in place on the same
// context, with its own base on the shared choice stack: entries below the base
// are invisible to it (never resumed, never "the top entry").

#include "grammar/BNFarticle.h"
#include "grammar/BNFcode.h"
#include "grammar/BNFsplitter.h"
#include "grammar/BNFunitor.h"
#include "grammar/ComposeContext.h"
#include "grammar/ParseContext.h"
#include "grammar/SimpleLoop.h"
#include "grammar/actions/IntegerFields.h"
#include "grammar/actions/RepetitionActions.h"

#include <algorithm>
#include <cstdint>
#include <type_traits>

namespace baudrill::detail {

// Choices the stack holds before pushing one more looks at the memory held
// (fewer hold less than the free amount, FreeFootprint).
inline constexpr std::size_t ChoicesHeldFreely = 4096;

// Turns of a counted loop of one field run at once, at most (the memory they
// take is then paid for before the next ones).
inline constexpr std::size_t TurnsAtOnce = 4096;

struct ParseDirection {
    using Context = ParseContext;
    using Mark = ParseMark;
    static bool Run(const BNFelement& e, ParseContext& ctx) { return e.Parse(ctx); }
    static ParseAction Action(const BNFcode& code) { return code.id.ParseFunction(); }
    static constexpr ParseAction CountDown = ParseRep;
    template <IntegerField F>
    static bool RunField(ParseContext& ctx)
    {
        return ReadField<F>(ctx);
    }
    template <IntegerField F>
    static std::size_t RunFields(ParseContext& ctx, std::size_t most)
    {
        return ReadFields<F>(ctx, most);
    }
    static bool Stopped(const ParseContext& ctx) { return ctx.stop; }
    static bool StartValid(const ParseContext& ctx) { return ctx.PosValid(); }
    static std::size_t ProducedBytes(const ParseContext& ctx) { return ctx.ValueCount() * sizeof(Value); }
    // Progress of a loop iteration: the position moved or a register changed.
    static bool Moved(const ParseMark& m, const ParseContext& ctx) { return ctx.state.pos != m.pos; }
};

struct ComposeDirection {
    using Context = ComposeContext;
    using Mark = ComposeMark;
    static bool Run(const BNFelement& e, ComposeContext& ctx) { return e.Compose(ctx); }
    static ComposeAction Action(const BNFcode& code) { return code.id.ComposeFunction(); }
    static constexpr ComposeAction CountDown = ComposeRep;
    template <IntegerField F>
    static bool RunField(ComposeContext& ctx)
    {
        return WriteField<F>(ctx);
    }
    template <IntegerField F>
    static std::size_t RunFields(ComposeContext& ctx, std::size_t most)
    {
        return WriteFields<F>(ctx, most);
    }
    static bool Stopped(const ComposeContext&) { return false; }
    static bool StartValid(const ComposeContext& ctx)
    {
        return ctx.state.next >= 0 && static_cast<std::size_t>(ctx.state.next) <= ctx.values.size();
    }
    static std::size_t ProducedBytes(const ComposeContext& ctx)
    {
        return ctx.state.output.size() + ctx.state.escapes.size() * sizeof(std::size_t);
    }
    // Progress of a loop iteration: `next` moved or a register changed. Output
    // alone is no progress: a loop of literals composes nothing rather than forever.
    static bool Moved(const ComposeMark& m, const ComposeContext& ctx) { return ctx.state.next != m.next; }
};

inline bool IsUpSplitter(const BNFelement* e)
{
    return e->type == SplitterType && static_cast<const BNFsplitter*>(e)->up;
}

// Register changes the undo log may hold before a commit point drops it.
inline constexpr std::size_t UndoKept = 32;

// Steps a turn of a counted loop costs when the loop runs as a whole: the count
// and the item, two action calls' worth (the elements between them cost next
// to nothing then).
inline constexpr std::int64_t CountedTurnSteps = 2;
// The counter stack of "rep" (see actions/ActionRegisters.h).
inline constexpr int CountedRegister = 9;

// Register changes an iteration's progress test compares for free; each one
// more costs a step (see IterationProgressed).
inline constexpr std::size_t FreeComparedChanges = 16;

template <class D>
class Matcher {
public:
    using Context = typename D::Context;
    using Mark = typename D::Mark;

    static bool RunArticle(const BNFarticle& article, Context& ctx)
    {
        if (!article.begin || article.elements.empty())
            return true;
        if (!D::StartValid(ctx) || ctx.run.aborted)
            return false;
        const std::size_t base = ctx.run.choices.size();
        const std::uint32_t iteration = ctx.run.iteration;
        if (!ctx.run.started) {
            ctx.run.started = true;
            PlanFootprintCheck(ctx);
        }
        ctx.state.current = article.begin;
        bool matched = Walk(ctx, base);
        // This run's choices end with it: nothing can resume them any more.
        ctx.run.choices.resize(base);
        ctx.run.iteration = iteration;
        ReleaseUndo(ctx);
        return matched;
    }

    // Runs the target of a nonterminal in place; on failure the context is as before.
    static bool RunNonterminal(const BNFarticle* target, Context& ctx)
    {
        if (!target)
            return true;  // a missing target matches the empty text
        if (ctx.run.depth >= MaxNonterminalNesting) {
            ctx.run.nestingExceeded = true;
            return false;
        }
        const Mark mark = ctx.Snapshot();
        ++ctx.run.depth;
        ++ctx.run.heldMarks;
        bool matched = RunWithOwnStop(*target, ctx);
        --ctx.run.depth;
        --ctx.run.heldMarks;
        if (!matched)
            ctx.Restore(mark);
        else
            CheckFootprint(ctx);
        return matched;
    }

    // Runs a code element: calls its action, and when the action fails puts
    // back everything it changed (the parse input view included); an action
    // name that is not registered fails.
    static bool RunCode(const BNFcode& code, Context& ctx)
    {
        const auto action = D::Action(code);
        if (!action)
            return false;
        if (code.v.IsString())  // the action gets a copy of its argument
            ctx.Charge(code.v.GetString().size());
        const Mark mark = ctx.Snapshot();
        ++ctx.run.heldMarks;
        bool matched = false;
        if constexpr (std::is_same_v<Context, ParseContext>) {
            const InputView input = ctx.input;
            matched = action(ctx, code.v);
            if (!matched)
                ctx.input = input;
        } else {
            matched = action(ctx, code.v);
        }
        --ctx.run.heldMarks;
        if (!matched)
            ctx.Restore(mark);
        else
            CheckFootprint(ctx);
        return matched;
    }

private:
    using Choice = ChoicePoint<Mark>;

    static bool RunWithOwnStop(const BNFarticle& target, Context& ctx)
    {
        if constexpr (std::is_same_v<Context, ParseContext>) {
            // The target's stop flag ends only the target's run.
            const bool callerStop = ctx.stop;
            ctx.stop = false;
            bool matched = RunArticle(target, ctx);
            ctx.stop = callerStop;
            return matched;
        } else {
            return RunArticle(target, ctx);
        }
    }

    // The newest choice above the base, or null.
    static Choice* Top(Context& ctx, std::size_t base)
    {
        auto& choices = ctx.run.choices;
        return choices.size() > base ? &choices.back() : nullptr;
    }

    // Memory grows only where actions run and choices are pushed: there the
    // run looks at it every so many steps.
    static void CheckFootprint(Context& ctx)
    {
        if (ctx.stepsLeft < ctx.run.footprintCheckAt)
            ChargeFootprint(ctx);
    }

    // Pays for the memory the run holds beyond what it paid for already (past a
    // free amount), and plans the next look.
    [[gnu::noinline]] static void ChargeFootprint(Context& ctx)
    {
        const std::size_t held =
            D::ProducedBytes(ctx) + ctx.state.registers.Footprint() + ctx.run.choices.size() * sizeof(Choice);
        if (held > ctx.run.footprintPaid) {
            ctx.stepsLeft -= static_cast<std::int64_t>(held - ctx.run.footprintPaid) * StepsPerFootprintByte;
            ctx.run.footprintPaid = held;
        }
        PlanFootprintCheck(ctx);
    }

    static void PlanFootprintCheck(Context& ctx)
    {
        ctx.run.footprintCheckAt = std::max<std::int64_t>(ctx.stepsLeft - FootprintCheckSteps, 0);
    }

    // Drops the undo log once no mark can need it: no open choice, no mark held
    // by a code element or nonterminal, none taken by the caller. A short log
    // is kept: clearing it after every committed iteration costs more than the
    // memory it frees.
    static void ReleaseUndo(Context& ctx)
    {
        if (ctx.state.registers.UndoHeight() >= UndoKept && ctx.run.choices.empty() && ctx.run.heldMarks == 0 &&
            !ctx.run.callerMarked)
            ctx.state.registers.ForgetUndo();
    }

    // Goes back to the newest choice point above the base whose other successor
    // is untried and returns its splitter; null when there is none.
    static const BNFelement* Backtrack(Context& ctx, std::size_t base)
    {
        auto& choices = ctx.run.choices;
        while (choices.size() > base && !choices.back().retry)
            choices.pop_back();
        if (choices.size() == base)
            return nullptr;
        Choice& resumed = choices.back();
        resumed.retry = false;
        ctx.Restore(resumed.mark);
        ctx.state.retry = false;
        // A resumed loop entry leaves its loop; a resumed fork goes on inside
        // the iteration that was under way when it was reached.
        ctx.run.iteration = resumed.outer;
        return resumed.splitter;
    }

    // A splitter reached afresh pushes its choice point and takes its preferred
    // successor; one whose entry is on top (just resumed, or left by a finished
    // loop) takes the other successor once the run has backtracked.
    static const BNFelement* StepSplitter(const BNFelement* e, bool fresh, Context& ctx)
    {
        bool stepRetry = ctx.state.retry;
        const bool up = static_cast<const BNFsplitter*>(e)->up;
        if (fresh) {
            auto& choices = ctx.run.choices;
            choices.push_back(Choice{e, true, ctx.run.iteration, ctx.Snapshot()});
            if (up)  // a loop's splitter reached afresh starts an iteration
                ctx.run.iteration = static_cast<std::uint32_t>(choices.size() - 1);
            stepRetry = true;
            if (choices.size() > ChoicesHeldFreely)  // a long stack: what it holds is paid for
                CheckFootprint(ctx);
        }
        bool second = up;
        if (!stepRetry)
            second = !second;
        return second ? e->link1 : e->link0;
    }

    // A unitor whose splitter's entry is on top commits the fork or iteration.
    // Reached through its branch, a loop's unitor ends an iteration, and one
    // that made no progress (compared with its splitter's newest entry) fails
    // like a failing iteration. Arriving on the forward path enters the loop:
    // nothing to check.
    static bool StepUnitor(const BNFelement* e, const BNFelement* from, Context& ctx, std::size_t base)
    {
        const BNFelement* splitter = static_cast<const BNFunitor*>(e)->splitter;
        Choice* top = Top(ctx, base);
        const bool onTop = top && top->splitter == splitter;
        if (from == e->input1 && splitter && IsUpSplitter(splitter)) {
            // The iteration's own entry, found in O(1): on top, or the iteration
            // under way. A search remains only for an iteration that began on an
            // older entry of the splitter (one left on top by a finished loop).
            auto& choices = ctx.run.choices;
            const std::uint32_t own = ctx.run.iteration;
            const bool underWay =
                onTop ? own == choices.size() - 1
                      : own != NoIteration && own >= base && own < choices.size() && choices[own].splitter == splitter;
            const Choice* entry = onTop ? top : underWay ? &choices[own] : Newest(splitter, ctx, base);
            if (entry && !IterationProgressed(entry->mark, ctx))
                return false;
            if (underWay)
                ctx.run.iteration = choices[own].outer;
        }
        if (onTop) {
            ctx.run.choices.pop_back();
            ReleaseUndo(ctx);
        }
        return true;
    }

    // Whether an iteration that began at the mark made progress. The register
    // test reads the changes made since the mark and never copies a stack; past
    // a few changes it is paid for from the step budget, so that nested loops
    // comparing the same changes again keep a step's cost bounded.
    static bool IterationProgressed(const Mark& mark, Context& ctx)
    {
        if (D::Moved(mark, ctx))
            return true;
        const std::size_t changes = ctx.state.registers.UndoHeight() - mark.undo;
        if (changes == 0)
            return false;
        if (changes > FreeComparedChanges)
            ctx.stepsLeft -= static_cast<std::int64_t>(changes - FreeComparedChanges);
        return ctx.state.registers.ChangedSince(mark.undo);
    }

    // Whether the splitter's entry is the newest choice above the base.
    static bool OnTop(const BNFelement* splitter, Context& ctx, std::size_t base)
    {
        const Choice* top = Top(ctx, base);
        return top && top->splitter == splitter;
    }

    enum class Turns { Spent, Failed, Stopped, Aborted };

    // Runs the turns of a simple loop (see SimpleLoop.h) reached afresh at its
    // splitter, without going round its elements: each turn as the elements
    // would run it (the items in order, the progress test and the commit at
    // the unitor), its choice point pushed only when a turn fails, and its
    // steps counted as the elements would count them. Failed: a turn's item
    // failed or made no progress; its choice point is on the stack, to be
    // resumed as a failing element would resume it. Spent: the splitter is to
    // run as usual (after a counted loop whose count is spent).
    [[gnu::noinline]] static Turns RunLoop(const BNFelement* splitter, const BNFsplitter::LoopShape& shape,
                                           Context& ctx)
    {
        if (shape.count && D::Action(static_cast<const BNFcode&>(*shape.count)) == D::CountDown &&
            shape.item->type == CodeType) {
            const IntegerField field = FieldOf(D::Action(static_cast<const BNFcode&>(*shape.item)));
            if (field.width)
                return RunFieldTurns(splitter, shape.item, field, ctx);
        }
        return RunSimpleTurns(splitter, shape, ctx);
    }

    static Turns RunSimpleTurns(const BNFelement* splitter, const BNFsplitter::LoopShape& shape, Context& ctx)
    {
        std::int64_t pending = 0;  // elements passed and not counted yet (the splitter was)
        for (;;) {
            const Mark mark = ctx.Snapshot();
            for (const BNFelement* e = splitter->link1; e != shape.unitor; e = e->link0) {
                ++pending;
                if (e->type == LinkType)
                    continue;
                if (!CountSteps(ctx, pending))
                    return Turns::Aborted;
                pending = 0;
                ctx.state.current = e;
                const bool ok = e->type == CodeType ? RunCode(static_cast<const BNFcode&>(*e), ctx) : D::Run(*e, ctx);
                if (ctx.run.aborted)
                    return Turns::Aborted;
                if (D::Stopped(ctx))
                    return Turns::Stopped;
                if (!ok)
                    return FailTurn(splitter, mark, ctx);
            }
            if (!CountSteps(ctx, pending + 1))  // the unitor
                return Turns::Aborted;
            if (!IterationProgressed(mark, ctx)) {
                ctx.state.current = shape.unitor;
                return FailTurn(splitter, mark, ctx);
            }
            ReleaseUndo(ctx);               // the turn is committed
            pending = shape.tailSteps + 1;  // and the run is back at the splitter
        }
    }

    // Counts `n` steps at once, ending the run where counting them one by one
    // would have ended it.
    static bool CountSteps(Context& ctx, std::int64_t n)
    {
        if (ctx.stepsLeft >= n) {
            ctx.stepsLeft -= n;
            return true;
        }
        ctx.stepsLeft = ctx.stepsLeft < 0 ? ctx.stepsLeft - 1 : -1;
        ctx.run.aborted = true;
        return false;
    }

    // The failed turn's choice point, as its splitter would have pushed it.
    static Turns FailTurn(const BNFelement* splitter, const Mark& mark, Context& ctx)
    {
        auto& choices = ctx.run.choices;
        choices.push_back(Choice{splitter, true, ctx.run.iteration, mark});
        ctx.run.iteration = static_cast<std::uint32_t>(choices.size() - 1);
        return Turns::Failed;
    }

    // The turns of a counted loop whose item is an integer field. A field moves
    // pos (or next) and changes no register, so every turn that reads it makes
    // progress, and the count is all a turn changes in the registers: it is
    // logged once, before the first turn, and counted down in place. Undoing a
    // mark from before the loop gives it back; a turn that fails puts back its
    // own count (the field changed nothing). A turn costs two steps, its two
    // actions' worth (its connectors cost next to nothing here). Each field runs
    // a loop of its own, its width and byte order fixed.
    static Turns RunFieldTurns(const BNFelement* splitter, const BNFelement* item, IntegerField f, Context& ctx)
    {
        constexpr ByteOrder Little = ByteOrder::Little;
        constexpr ByteOrder Big = ByteOrder::Big;
        if (f.width == 1)
            return f.keepsValue ? FieldTurns<IntegerField{1, Little, true}>(splitter, item, ctx)
                                : FieldTurns<IntegerField{1, Little, false}>(splitter, item, ctx);
        if (f.width == 2)
            return f.order == Big ? FieldTurns<IntegerField{2, Big, true}>(splitter, item, ctx)
                                  : FieldTurns<IntegerField{2, Little, true}>(splitter, item, ctx);
        return f.order == Big ? FieldTurns<IntegerField{4, Big, true}>(splitter, item, ctx)
                              : FieldTurns<IntegerField{4, Little, true}>(splitter, item, ctx);
    }

    template <IntegerField F>
    static Turns FieldTurns(const BNFelement* splitter, const BNFelement* item, Context& ctx)
    {
        auto counters = ctx.state.intRegs(CountedRegister);
        const std::int32_t* top = counters.Top();
        if (!top || *top <= 0 || ctx.stepsLeft <= CountedTurnSteps)
            return Turns::Spent;
        counters.SetTop(*top);
        ReleaseUndo(ctx);
        std::int32_t& counter = *ctx.state.registers.IntTopInPlace(CountedRegister);
        ctx.state.current = item;
        for (;;) {
            // As many turns at once as the count, the budget (a turn needs more
            // than its steps left) and the input or values allow: nothing runs
            // between them that could tell.
            const auto affordable = static_cast<std::size_t>((ctx.stepsLeft - 1) / CountedTurnSteps);
            const std::size_t most = std::min({static_cast<std::size_t>(counter), affordable, TurnsAtOnce});
            const std::size_t done = D::template RunFields<F>(ctx, most);
            counter -= static_cast<std::int32_t>(done);
            ctx.stepsLeft -= CountedTurnSteps * static_cast<std::int64_t>(done);
            CheckFootprint(ctx);
            if (counter <= 0 || ctx.stepsLeft <= CountedTurnSteps)
                return Turns::Spent;  // the counter is spent, or the budget nearly so
            if (done == most)
                continue;
            // The next field is not there: its turn runs as one and fails.
            ctx.stepsLeft -= CountedTurnSteps;
            --counter;
            if (!D::template RunField<F>(ctx)) {
                ++counter;
                return FailTurn(splitter, ctx.Snapshot(), ctx);
            }
        }
    }

    // The splitter's newest entry above the base, or null.
    static const Choice* Newest(const BNFelement* splitter, const Context& ctx, std::size_t base)
    {
        const auto& choices = ctx.run.choices;
        for (std::size_t k = choices.size(); k-- > base;)
            if (choices[k].splitter == splitter)
                return &choices[k];
        return nullptr;
    }

    static bool Walk(Context& ctx, std::size_t base)
    {
        // The stop flag changes only in the elements that run code (below).
        if (D::Stopped(ctx))
            return true;
        const BNFelement* e = ctx.state.current;
        const BNFelement* previous = nullptr;  // the element run just before, null after a backtrack
        while (e) {
            if (--ctx.stepsLeft < 0) [[unlikely]] {
                ctx.run.aborted = true;
                return false;
            }
            const BNFelement* from = previous;
            previous = e;
            const BNFelement* next = e->link0;
            if (e->type == LinkType) {
                e = next;  // the most frequent element: a connector, which passes
                continue;
            }
            bool ok = true;
            switch (e->type) {
            case SplitterType: {
                if (!e->link1)
                    break;
                const bool fresh = !OnTop(e, ctx, base);
                const auto& splitter = static_cast<const BNFsplitter&>(*e);
                if (fresh && splitter.up) {
                    const BNFsplitter::LoopShape& shape = LoopShapeAt(splitter);
                    if (shape.simple) {
                        const Turns end = RunLoop(e, shape, ctx);
                        if (end == Turns::Stopped)
                            return true;
                        if (end == Turns::Aborted)
                            return false;
                        if (end == Turns::Failed) {
                            e = Backtrack(ctx, base);  // the last turn's choice point: the loop is left
                            if (!e)
                                return false;
                            previous = nullptr;
                            continue;
                        }
                    }
                }
                next = StepSplitter(e, fresh, ctx);
                break;
            }
            case UnitorType: ok = StepUnitor(e, from, ctx, base); break;
            case CodeType:
                ctx.state.current = e;  // the element whose action runs
                ok = RunCode(static_cast<const BNFcode&>(*e), ctx);
                if (ctx.run.aborted)
                    return false;
                if (D::Stopped(ctx))
                    return true;
                break;
            case TerminalType:
            case NonterminalType:
                ctx.state.current = e;
                ok = D::Run(*e, ctx);
                if (ctx.run.aborted)  // a nonterminal's run went over the budget
                    return false;
                break;
            default: break;  // connectors pass
            }
            if (ok) {
                e = next;  // null past the end element: the run matched
                continue;
            }
            ctx.state.current = e;
            e = Backtrack(ctx, base);
            if (!e)
                return false;
            previous = nullptr;
        }
        ctx.state.current = nullptr;
        return true;
    }
};

using ParseMatcher = Matcher<ParseDirection>;
using ComposeMatcher = Matcher<ComposeDirection>;

}  // namespace baudrill::detail
