#pragma once

#include "grammar/BNFelement.h"

namespace baudrill {

// The start of an article's graph.
class BNFbegin final : public BNFpassElement {
public:
    BNFbegin() { type = BeginType; }
};

}  // namespace baudrill
