#include "grammar/BNFelement.h"

namespace baudrill {

std::int64_t elementCounter = 0;

void BNFelement::ReplaceInput(const BNFelement* old, BNFelement* replacement)
{
    if (input0 == old)
        input0 = replacement;
    else if (input1 == old)
        input1 = replacement;
}

void BNFelement::ReplaceLink(const BNFelement* old, BNFelement* replacement)
{
    if (link0 == old)
        link0 = replacement;
    else if (link1 == old)
        link1 = replacement;
}

}  // namespace baudrill
