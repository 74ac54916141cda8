#include "monitor/layouts/WithProtoDialogLayout.h"

#include "monitor/layouts/LayoutSpec.h"

#include <limits>

namespace baudrill {

namespace {

// clang-format off
constexpr LayoutItemSpec items[] = {
    {"proto", LW(60, 180), TH(12, 24)},
    {"protoComment", LR(60, 12), BH(48, 48)},
    {"protoDesc", LR(60, 12), TH(40, 132)},
    {"info", LR(60, 12), TB(172, 104), nullptr, BottomSeparator},
    {"okButton", RW(12, 64), BH(12, 24), "OK"},
    {nullptr, LW(12, 40), TH(12, 19), "Protocol"},
    {nullptr, LW(12, 44), BH(77, 19), "Comment"},
    {"protoLabel", LW(12, 42), TH(36, 68), nullptr, RightAligned},
    {"protoName", LR(244, 12), TH(12, 24)},
};
// clang-format on

constexpr int infoMargin = 10;

}  // namespace

WithProtoDialogLayout::WithProtoDialogLayout(LayoutZoom zoom, QWidget* parent) : QWidget(parent)
{
    applyLayout(*this, {"ProtoDialogLayout", {540, 444}, items},
                {&proto, &protoComment, &protoDesc, &info, &okButton, &dv5, &dv6, &protoLabel, &protoName}, zoom, true);
    protoDesc.setLineWrapMode(QPlainTextEdit::NoWrap);
    info.setMargin(infoMargin);
    protoName.setMaxLength(std::numeric_limits<int>::max());
}

}  // namespace baudrill
