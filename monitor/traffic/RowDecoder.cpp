#include "monitor/traffic/RowDecoder.h"

#include "grammar/BNFarticle.h"
#include "grammar/ParseContext.h"

namespace baudrill {

namespace {

// One parse run of the tail at `start`, drawing on the shared budget.
bool ParseTail(const BNFarticle& protocol, std::string_view row, std::size_t start, std::int64_t& stepsLeft,
               RowDecoding& result)
{
    ParseContext ctx(row.substr(start));
    ctx.stepsLeft = stepsLeft;
    const bool ok = protocol.Parse(ctx);
    stepsLeft = ctx.stepsLeft;
    if (ok) {
        result.decoded = true;
        result.start = start;
        result.values = std::move(ctx.state.values);
    } else if (ctx.BudgetExhausted() || stepsLeft <= 0) {
        result.budgetExhausted = true;
    }
    return ok;
}

}  // namespace

RowDecoding DecodeRow(const BNFarticle& protocol, std::string_view row, bool ignoreStarting, std::int64_t stepBudget)
{
    RowDecoding result;
    std::int64_t stepsLeft = stepBudget;
    if (!ignoreStarting) {
        ParseTail(protocol, row, 0, stepsLeft, result);
        return result;
    }
    const std::size_t first = row.size() > IgnoreStartingWindow ? row.size() - IgnoreStartingWindow : 0;
    for (std::size_t start = first; start < row.size(); ++start) {
        if (ParseTail(protocol, row, start, stepsLeft, result) || result.budgetExhausted)
            break;
    }
    return result;
}

}  // namespace baudrill
