#pragma once

#include "grammar/BNFelement.h"

namespace baudrill {

// The end of an article's graph; a run that passes it has matched.
class BNFend final : public BNFpassElement {
public:
    BNFend() { type = EndType; }
};

}  // namespace baudrill
