#include "monitor/layouts/WithAsciiLayout.h"

#include "monitor/layouts/LayoutSpec.h"

#include <limits>

namespace baudrill {

namespace {

constexpr LayoutItemSpec items[] = {
    {nullptr, LW(16, 28), TH(16, 19), "Send", RightAligned},
    {"entry", LR(56, 76), TH(16, 19)},
    {"isCR", RW(40, 32), TH(16, 20), "CR"},
    {"isLF", RW(8, 28), TH(16, 20), "LF"},
    {"preview", LR(56, 76), TH(36, 68), nullptr, EditFieldFrame},
    {"attachButton", LW(24, 20), TH(40, 20)},
};

}  // namespace

WithAsciiLayout::WithAsciiLayout(LayoutZoom zoom, QWidget* parent) : QWidget(parent)
{
    applyLayout(*this, {"AsciiLayout", {456, 116}, items}, {&dv0, &entry, &isCR, &isLF, &preview, &attachButton}, zoom,
                false);
    entry.setMaxLength(std::numeric_limits<int>::max());
}

}  // namespace baudrill
