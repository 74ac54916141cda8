#include "monitor/layouts/WithHexLayout.h"

#include "monitor/layouts/LayoutSpec.h"

#include <limits>

namespace baudrill {

namespace {

constexpr LayoutItemSpec items[] = {
    {nullptr, LW(16, 28), TH(16, 19), "Send", RightAligned},
    {"entry", LR(56, 8), TH(16, 19)},
    {"preview", LR(56, 8), TH(36, 68), nullptr, EditFieldFrame},
    {"attachButton", LW(24, 20), TH(40, 20)},
};

}  // namespace

WithHexLayout::WithHexLayout(LayoutZoom zoom, QWidget* parent) : QWidget(parent)
{
    applyLayout(*this, {"HexLayout", {332, 112}, items}, {&dv0, &entry, &preview, &attachButton}, zoom, false);
    entry.setMaxLength(std::numeric_limits<int>::max());
}

}  // namespace baudrill
