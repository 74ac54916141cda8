#pragma once

#include "grammar/BNFelement.h"

#include <cstdint>

namespace baudrill {

// A choice point: the start of a fork (up false: link0 first) or the end of a
// loop's forward path (up true: the back edge link1 first).
class BNFsplitter final : public BNFpassElement {
public:
    explicit BNFsplitter(bool isUp) : up(isUp) { type = SplitterType; }
    bool IsUp() const override { return up; }

    bool up;

    // What the matcher found out about the loop this splitter ends (see
    // SimpleLoop.h), valid while no element has been made since: every change
    // to a graph makes one.
    struct LoopShape {
        std::int64_t madeUpTo = -1;  // elementCounter when it was found out
        bool simple = false;         // a plain sequence between splitter and unitor
        const BNFelement* unitor = nullptr;
        std::int64_t tailSteps = 0;         // the connectors from the unitor back to the splitter
        const BNFelement* count = nullptr;  // two items, the first a code element:
        const BNFelement* item = nullptr;   // maybe a count-down and a field
    };
    mutable LoopShape loopShape;
};

}  // namespace baudrill
