#include "monitor/port/RowDecoder.h"

#include "grammar/BNFarticle.h"
#include "grammar/BNFelement.h"
#include "grammar/GrammarRegistry.h"
#include "grammar/ParseContext.h"
#include "monitor/port/LogLine.h"

namespace baudrill {

namespace {

// Changes whenever a grammar could run otherwise: every element made (each compile and edit
// makes some) and every article added, removed or renamed in any namespace.
std::uint64_t GrammarGeneration()
{
    const GrammarRegistry& registry = GrammarRegistry::Instance();
    auto generation = static_cast<std::uint64_t>(elementCounter);
    for (int i = 0; i < registry.GetCount(); ++i)
        generation += registry.At(i)->Changes();
    return generation;
}

// One run over the tail of `row` at `start`, drawing on the shared budget.
struct Attempt {
    bool matched = false;
    bool reachedEnd = false;  // the run looked at or past the row's end: more bytes may change it
    bool cutShort = false;    // the budget ran out: nothing is known
};

Attempt ParseTail(const BNFarticle& protocol, std::string_view row, std::size_t start, std::int64_t& stepsLeft,
                  ParseContext& ctx, ValueList& values)
{
    ctx.Renew(row.substr(start));  // as fresh as a new context, with the memory of the last run
    ctx.stepsLeft = stepsLeft;
    Attempt attempt;
    attempt.matched = protocol.Parse(ctx);
    stepsLeft = ctx.stepsLeft;
    attempt.reachedEnd = ctx.ReachedEnd();
    attempt.cutShort = !attempt.matched && (ctx.BudgetExhausted() || stepsLeft <= 0);
    if (attempt.matched)
        values = std::move(ctx.state.values);
    return attempt;
}

}  // namespace

bool RowDecoder::SameRow(const BNFarticle& protocol, const LogLine& row, bool ignoreStarting) const
{
    return row_ == &row && row.data.size() >= length_ && timeText_ == row.timeText && protocol_ == &protocol &&
           ignoreStarting_ == ignoreStarting && grammar_ == GrammarGeneration();
}

void RowDecoder::Restart(const BNFarticle& protocol, const LogLine& row, bool ignoreStarting)
{
    row_ = &row;
    timeText_ = row.timeText;
    protocol_ = &protocol;
    ignoreStarting_ = ignoreStarting;
    grammar_ = GrammarGeneration();
    tried_ = 0;
    open_.clear();
    settled_ = false;
    settledValues_.clear();
}

RowDecoding RowDecoder::Decode(const BNFarticle& protocol, const LogLine& row, bool ignoreStarting,
                               std::int64_t stepBudget)
{
    if (!SameRow(protocol, row, ignoreStarting))
        Restart(protocol, row, ignoreStarting);
    const std::string_view data = row.data;
    length_ = data.size();

    RowDecoding result;
    std::int64_t stepsLeft = stepBudget;
    bool done = false;  // a match or an empty budget: the starts after it keep their state
    std::vector<Starts> stillOpen;
    auto keep = [&stillOpen](std::size_t begin, std::size_t end) {
        if (begin >= end)
            return;
        if (!stillOpen.empty() && stillOpen.back().end == begin)
            stillOpen.back().end = end;
        else
            stillOpen.push_back({begin, end});
    };
    // Tries the start; false when its run was cut short (the start stays open, untried now).
    ParseContext ctx;
    auto attempt = [&](std::size_t start) {
        const Attempt a = ParseTail(protocol, data, start, stepsLeft, ctx, result.values);
        if (a.cutShort) {
            result.budgetExhausted = true;
            done = true;
            return false;
        }
        if (a.matched) {
            result.decoded = true;
            result.start = start;
            done = true;
            if (!a.reachedEnd) {
                settled_ = true;
                settledStart_ = start;
                settledValues_ = result.values;
            }
        }
        if (a.reachedEnd)
            keep(start, start + 1);
        return true;
    };

    // The starts still open, in order; none after a start that matches for good.
    for (const Starts& starts : open_) {
        std::size_t next = starts.begin;
        while (!done && next < starts.end && !(settled_ && next >= settledStart_)) {
            if (!attempt(next))
                break;
            ++next;
        }
        if (!(settled_ && next >= settledStart_))
            keep(next, starts.end);
    }
    open_ = std::move(stillOpen);
    if (done)
        return result;
    if (settled_) {
        result.decoded = true;
        result.start = settledStart_;
        result.values = settledValues_;
        return result;
    }
    // Then the starts never tried: all up to the row's end, or only the row's beginning.
    stillOpen.clear();
    const std::size_t last = ignoreStarting ? data.size() : 1;
    while (!done && tried_ < last) {
        if (!attempt(tried_))
            break;
        ++tried_;
    }
    open_.insert(open_.end(), stillOpen.begin(), stillOpen.end());
    return result;
}

RowDecoding DecodeRow(const BNFarticle& protocol, const LogLine& row, bool ignoreStarting, std::int64_t stepBudget)
{
    return RowDecoder().Decode(protocol, row, ignoreStarting, stepBudget);
}

}  // namespace baudrill
