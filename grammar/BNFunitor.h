#pragma once

#include "grammar/BNFelement.h"
#include "grammar/BNFsplitter.h"

namespace baudrill {

// Closes the fork or loop of its splitter: the end of a fork, or the start of a loop.
class BNFunitor final : public BNFpassElement {
public:
    explicit BNFunitor(BNFsplitter* owner) : splitter(owner) { type = UnitorType; }
    BNFelement* GetSplitter() const override { return splitter; }

    BNFsplitter* splitter;
};

}  // namespace baudrill
