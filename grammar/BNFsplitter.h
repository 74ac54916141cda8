#pragma once

#include "grammar/BNFelement.h"

namespace baudrill {

// A choice point: the start of a fork (up false: link0 first) or the end of a
// loop's forward path (up true: the back edge link1 first).
class BNFsplitter final : public BNFpassElement {
public:
    explicit BNFsplitter(bool isUp) : up(isUp) { type = kSplitterType; }
    bool IsUp() const override { return up; }

    bool up;
};

}  // namespace baudrill
