#include "monitor/layouts/WithMainLayout.h"

#include "monitor/layouts/LayoutSpec.h"

namespace baudrill {

namespace {

constexpr LayoutItemSpec items[] = {
    {"sendTabs", LR(4, 28), BH(9, 21)},
    {"mainTabs", LR(4, 4), TH(8, 24)},
    {"logGrid", LR(4, 4), TB(56, 144), nullptr, EditFieldFrame},
    {"profileTabs", RW(4, 24), BH(28, 116)},
    {"protoSendGroup", LR(4, 224), BH(28, 116), nullptr, BottomSeparator},
    {"asciiSendGroup", LR(4, 224), BH(28, 116), nullptr, BottomSeparator},
    {"hexSendGroup", LR(4, 224), BH(28, 116), nullptr, BottomSeparator},
    {"mainToolbar", LR(4, 4), TH(28, 28), nullptr, BottomSeparator},
    {"settingsGroup", LR(4, 4), TH(28, 28), nullptr, BottomSeparator},
    {"sendGroup", RW(28, 196), BH(28, 116), nullptr, BottomSeparator},
};

}  // namespace

WithMainLayout::WithMainLayout(LayoutZoom zoom, QWidget* parent)
    : QWidget(parent), protoSendGroup(zoom), asciiSendGroup(zoom), hexSendGroup(zoom), settingsGroup(zoom),
      sendGroup(zoom)
{
    applyLayout(*this, {"MainLayout", {700, 476}, items},
                {&sendTabs, &mainTabs, &logGrid, &profileTabs, &protoSendGroup, &asciiSendGroup, &hexSendGroup,
                 &mainToolbar, &settingsGroup, &sendGroup},
                zoom, true);
}

}  // namespace baudrill
