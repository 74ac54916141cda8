#pragma once

#include <cstddef>
#include <functional>
#include <unordered_set>
#include <utility>

namespace baudrill {

class BNFelement;

// The places at which the rule compiler has inserted into one article during the compile
// running into it: the meta-grammar's code element whose action inserted, and the input
// position it ran at.
//
// The meta-grammar runs an item again at a place where it already ran when an enclosing level
// backtracks: after a '|' every enclosing level tries again the item at which the alternative's
// rule stopped, and each of those tries does the same for the levels inside it. Every try would
// insert the item's elements once more, exponentially in the nesting (`|[` sixteen times made
// 340,040 elements). Such an item has failed, and the compile stops at its start whatever comes
// after, so from the first place met twice the compile inserts nothing more: the inserting
// actions fail there, and the tries end at once. A rule that compiles whole never meets a place
// twice, and a failed item keeps the elements its first try made.
class CompilePlaces {
public:
    // Forgets every place and allows inserting again: a new compile into the article begins.
    void Clear();
    // Records the place and gives true, unless a place was met twice before in this compile;
    // gives false for a place already recorded, and for every place after one was. An action
    // called directly, outside a run (no element), has no place: it may insert.
    bool Claim(const BNFelement* by, int pos);

private:
    using Place = std::pair<const BNFelement*, int>;
    struct PlaceHash {
        std::size_t operator()(const Place& p) const noexcept
        {
            return std::hash<const BNFelement*>()(p.first) ^ (std::hash<int>()(p.second) * 0x9E3779B97F4A7C15ull);
        }
    };

    std::unordered_set<Place, PlaceHash> places;
    bool closed = false;
};

}  // namespace baudrill
