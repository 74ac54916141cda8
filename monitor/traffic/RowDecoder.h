#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "grammar/Value.h"
#include "monitor/text/GuiRunBudget.h"

namespace baudrill {

class BNFarticle;
struct LogLine;

struct RowDecoding {
    bool decoded = false;
    ValueList values;              // what the successful parse yielded
    std::size_t start = 0;         // where the decoded tail begins in the row
    bool budgetExhausted = false;  // the runs stopped for want of steps: no decoding this time
};

// Decodes the received row that is being filled, again after every chunk, as if every start
// were tried from the row's beginning: once over the whole row, or, with "ignore starting
// junk", over ever shorter tails, the longest tail that parses winning (so decoding starts at
// the earliest byte from which the protocol matches).
//
// It does so incrementally. A parse that failed without looking at any byte at or past the
// row's end (Reach) fails the same way however the row grows, so its start is closed for the
// row; one that matched without looking there matches the same way for good. Each chunk
// tries again only the starts still open, in order, then the starts the chunk added.
//
// The step budget is a backstop: all runs for one chunk share it, and a chunk whose runs
// spend it decodes nothing (a run cut short never counts as a match); the next chunk goes on
// from the first start still open. Rows whose open starts fit the budget decode exactly,
// whatever their length. A rule that reads to the row's end from every start (`{byte} "Z"`)
// keeps every start open, so on a long enough row its runs spend the budget on every chunk.
class RowDecoder {
public:
    // The decoding of `row` now. The row is recognised as the one decoded last time (the same
    // row, grown) by its place, its time text and its length; anything else starts afresh, as
    // does another protocol, another setting or any change to the grammar.
    RowDecoding Decode(const BNFarticle& protocol, const LogLine& row, bool ignoreStarting,
                       std::int64_t stepBudget = GuiRunStepBudget);

private:
    // A run of start positions [begin, end).
    struct Starts {
        std::size_t begin;
        std::size_t end;
    };

    bool SameRow(const BNFarticle& protocol, const LogLine& row, bool ignoreStarting) const;
    void Restart(const BNFarticle& protocol, const LogLine& row, bool ignoreStarting);

    // The row and the settings the state below belongs to.
    const LogLine* row_ = nullptr;
    std::string timeText_;
    std::size_t length_ = 0;
    const BNFarticle* protocol_ = nullptr;
    bool ignoreStarting_ = false;
    std::uint64_t grammar_ = 0;

    std::size_t tried_ = 0;     // every start below was tried at least once
    std::vector<Starts> open_;  // starts below tried_ to try again, ascending
    bool settled_ = false;      // settledStart_ matches for good: later starts need no run
    std::size_t settledStart_ = 0;
    ValueList settledValues_;
};

// Decodes a row once, with no earlier chunks to go on from (a sent row).
RowDecoding DecodeRow(const BNFarticle& protocol, const LogLine& row, bool ignoreStarting,
                      std::int64_t stepBudget = GuiRunStepBudget);

}  // namespace baudrill
