#include "monitor/layouts/WithProtoLayout.h"

#include "monitor/layouts/AxisAnchor.h"
#include "monitor/layouts/LayoutSpec.h"

#include <limits>

namespace baudrill {

namespace {

constexpr LayoutItemSpec items[] = {
    {nullptr, LW(16, 28), TH(16, 19), "Send", RightAligned},
    {"actionProto", LW(216, 128), TH(88, 19)},
    {"entry", LR(200, 8), TH(16, 19)},
    {"actionLabel", LW(4, 40), TH(88, 19), "Action", RightAligned},
    {nullptr, LW(4, 40), TH(60, 19), "Receive", RightAligned},
    {"isDisplayHex", LW(228, 92), TH(60, 20), "Display hex ints"},
    {"isIgnoreStarting", LW(108, 112), TH(60, 20), "Ignore starting junk"},
    {"isActionAnswer", LW(56, 156), TH(88, 20), "Send answer using protocol:"},
    {"graphButton", LW(324, 20), TH(60, 20)},
    {nullptr, LR(56, 8), TH(0, 16),
     "Select protocol, then enter parameters. If parameters match protocol, output bytes are constructed."},
    {"isParse", LW(56, 44), TH(60, 20), "Parse"},
    {"proto", LW(56, 140), TH(16, 19)},
    {"preview", LR(56, 8), TH(36, 20), nullptr, EditFieldFrame},
    {"actionDelay", LW(400, 52), TH(88, 19)},
    {nullptr, LW(348, 52), TH(88, 19), "with delay"},
    {nullptr, LR(456, 4), TH(88, 19), "ms"},
};

// The hint line is small and grey: the standard font 9 layout units high.
constexpr int hintFontHeight = 9;
constexpr QRgb hintInk = qRgb(129, 129, 129);

}  // namespace

WithProtoLayout::WithProtoLayout(LayoutZoom zoom, QWidget* parent) : QWidget(parent)
{
    applyLayout(*this, {"ProtoLayout", {476, 112}, items},
                {&dv0, &actionProto, &entry, &actionLabel, &dv4, &isDisplayHex, &isIgnoreStarting, &isActionAnswer,
                 &graphButton, &dv9, &isParse, &proto, &preview, &actionDelay, &dv14, &dv15},
                zoom, false);
    entry.setMaxLength(std::numeric_limits<int>::max());

    QFont hintFont = dv9.font();
    hintFont.setPixelSize(zoomed(hintFontHeight, zoom.y));
    dv9.setFont(hintFont);
    QPalette hintPalette = dv9.palette();
    hintPalette.setColor(QPalette::WindowText, QColor(hintInk));
    dv9.setPalette(hintPalette);
}

}  // namespace baudrill
