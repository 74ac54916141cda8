#include "grammar/compiler/CompilePlaces.h"

namespace baudrill {

void CompilePlaces::Clear()
{
    places = {};  // gives the memory back as well
    closed = false;
}

bool CompilePlaces::Claim(const BNFelement* by, int pos)
{
    if (closed)
        return false;
    if (!by)
        return true;
    if (!places.emplace(by, pos).second)
        closed = true;
    return !closed;
}

}  // namespace baudrill
