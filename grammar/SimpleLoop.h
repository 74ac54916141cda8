#pragma once

#include "grammar/BNFelement.h"
#include "grammar/BNFsplitter.h"
#include "grammar/BNFunitor.h"

#include <cstdint>

namespace baudrill::detail {

// A loop whose content is a plain sequence: from the splitter's back edge to
// its unitor only connectors, code elements and terminals, and from the unitor
// back to the splitter only connectors (`{t_byte "U"}`, `{rep byte}`, each of
// the loops of <BNFwhite>). The matcher runs such a loop turn by turn without
// going round its elements (see Matcher::RunSimpleTurns); a loop whose
// content is a count-down ("rep") and one integer field even as a whole
// (Matcher::RunFieldTurns).

// The shape of the loop at its (up) splitter. The way back is looked at
// first: from the splitter over connectors to its unitor (most loops of another
// shape end there), then the content from the back edge to that unitor.
[[gnu::noinline]] inline BNFsplitter::LoopShape FindLoopShape(const BNFsplitter& splitter, std::int64_t made)
{
    BNFsplitter::LoopShape shape;
    shape.madeUpTo = made;
    std::int64_t tail = 0;
    const BNFelement* unitor = splitter.input0;
    for (; unitor && unitor->type == LinkType; unitor = unitor->input0)
        ++tail;
    if (!unitor || unitor->type != UnitorType || unitor->GetSplitter() != &splitter)
        return shape;
    const BNFelement* back = unitor->link0;
    for (std::int64_t k = 0; k < tail && back; ++k)
        back = back->link0;
    if (back != &splitter)
        return shape;
    const BNFelement* last = &splitter;
    const BNFelement* e = splitter.link1;
    int items = 0;
    const BNFelement* first = nullptr;
    const BNFelement* second = nullptr;
    for (; e && e != unitor; last = e, e = e->link0) {
        if (e->type == LinkType)
            continue;
        if (e->type != CodeType && e->type != TerminalType)
            return shape;  // a fork, a nested loop, a reference
        if (items == 0)
            first = e;
        else if (items == 1)
            second = e;
        ++items;
    }
    if (e != unitor || unitor->input1 != last)
        return shape;
    shape.simple = true;
    shape.unitor = unitor;
    shape.tailSteps = tail;
    if (items == 2 && first->type == CodeType) {
        shape.count = first;
        shape.item = second;
    }
    return shape;
}

// The same, found out once per splitter while the graphs stay as they are
// (a loop's splitter is reached afresh at every turn).
inline const BNFsplitter::LoopShape& LoopShapeAt(const BNFsplitter& splitter)
{
    BNFsplitter::LoopShape& known = splitter.loopShape;
    if (known.madeUpTo != elementCounter)
        known = FindLoopShape(splitter, elementCounter);
    return known;
}

}  // namespace baudrill::detail
