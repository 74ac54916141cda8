#pragma once

#include "grammar/BNFelement.h"

namespace baudrill {

// An empty connector; every inserted element is followed by one.
class BNFlink final : public BNFpassElement {
public:
    BNFlink() { type = LinkType; }
};

}  // namespace baudrill
