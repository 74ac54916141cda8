#include "monitor/layouts/WithSendLayout.h"

#include "monitor/layouts/LayoutSpec.h"

namespace baudrill {

namespace {

constexpr LayoutItemSpec items[] = {
    {"sendButton", LW(8, 64), TH(36, 44)},
    {"isRepeat", LW(8, 88), TH(16, 19), "repeat every"},
    {nullptr, LW(160, 40), TH(16, 19), "msec"},
    {"repeatPeriod", LW(96, 60), TH(16, 19)},
};

}  // namespace

WithSendLayout::WithSendLayout(LayoutZoom zoom, QWidget* parent) : QWidget(parent)
{
    applyLayout(*this, {"SendLayout", {260, 108}, items}, {&sendButton, &isRepeat, &dv2, &repeatPeriod}, zoom, false);
    repeatPeriod.setRange(1, 1000000);
    repeatPeriod.setNotNull(true);
}

}  // namespace baudrill
