#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "grammar/Value.h"

namespace baudrill {

class BNFarticle;

// A received row is decoded again after every chunk, so decoding is bounded: a device that
// streams without pauses (one ever-growing row) must not freeze the window.
// With "ignore starting junk" only tails starting within the last IgnoreStartingWindow bytes
// are tried, and all parse runs for one chunk share one budget of RowDecodeStepBudget steps.
inline constexpr std::size_t IgnoreStartingWindow = 4096;
inline constexpr std::int64_t RowDecodeStepBudget = 1'000'000;

struct RowDecoding {
    bool decoded = false;
    ValueList values;        // what the successful parse yielded
    std::size_t start = 0;   // where the decoded tail begins in the row
    bool budgetExhausted = false;  // the runs stopped for want of steps: no decoding this time
};

// Parses the row with the protocol: once over the whole row, or, with `ignoreStarting`, over
// ever shorter tails (the longest tail that parses wins, so decoding starts at the earliest
// byte from which the protocol matches). When the budget runs out the result is "not decoded":
// a run cut short never counts as a match.
RowDecoding DecodeRow(const BNFarticle& protocol, std::string_view row, bool ignoreStarting,
                      std::int64_t stepBudget = RowDecodeStepBudget);

}  // namespace baudrill
