#include "monitor/layouts/WithMainLayout.h"
#include "monitor/layouts/WithProtoDialogLayout.h"
#include "tests/support/gui/GuiTestEnvironment.h"

#include <gtest/gtest.h>

#include <QWidget>

namespace baudrill {
namespace {

using test::showResized;
using test::unitZoom;

struct Placement {
    const char* id;
    QRect atDesignSize;
    QRect enlarged;
};

// Rectangles of the widget named `id` among the direct children of `parent`.
QRect placeOf(const QWidget& parent, const char* id)
{
    const auto* child = parent.findChild<QWidget*>(QLatin1String(id), Qt::FindDirectChildrenOnly);
    return child ? child->geometry() : QRect(-1, -1, 0, 0);
}

void expectPlacements(QWidget& window, QSize enlarged, std::initializer_list<Placement> placements)
{
    for (const Placement& p : placements)
        EXPECT_EQ(placeOf(window, p.id), p.atDesignSize) << p.id << " at the design size";
    showResized(window, enlarged.width(), enlarged.height());
    for (const Placement& p : placements)
        EXPECT_EQ(placeOf(window, p.id), p.enlarged) << p.id << " enlarged";
}

TEST(LayoutPositionTest, MainLayoutStretchesItsMiddleAndKeepsItsEdges)
{
    WithMainLayout window(unitZoom);
    EXPECT_EQ(window.size(), QSize(700, 476));
    EXPECT_EQ(window.minimumSize(), QSize(700, 476));
    // Enlarged by 300 x 224: the tabs, strip, grid and send-mode panes widen, the grid grows
    // taller, the send pane and profile tabs stay at the right edge, the send panes at the bottom.
    expectPlacements(window, {1000, 700},
                     {
                         {"sendTabs", {4, 446, 668, 21}, {4, 670, 968, 21}},
                         {"mainTabs", {4, 8, 692, 24}, {4, 8, 992, 24}},
                         {"logGrid", {4, 56, 692, 276}, {4, 56, 992, 500}},
                         {"profileTabs", {672, 332, 24, 116}, {972, 556, 24, 116}},
                         {"protoSendGroup", {4, 332, 472, 116}, {4, 556, 772, 116}},
                         {"asciiSendGroup", {4, 332, 472, 116}, {4, 556, 772, 116}},
                         {"hexSendGroup", {4, 332, 472, 116}, {4, 556, 772, 116}},
                         {"mainToolbar", {4, 28, 692, 28}, {4, 28, 992, 28}},
                         {"settingsGroup", {4, 28, 692, 28}, {4, 28, 992, 28}},
                         {"sendGroup", {476, 332, 196, 116}, {776, 556, 196, 116}},
                     });
}

TEST(LayoutPositionTest, PaneItemsSitInsideTheirPaneAboveItsBottomFrame)
{
    WithMainLayout window(unitZoom);
    showResized(window, 700, 476);
    struct PaneItem {
        const QWidget& pane;
        const char* id;
        QRect rect;
    };
    const PaneItem items[] = {
        // The settings strip is 692 wide: right-anchored indicators end at its right edge.
        {window.settingsGroup, "stateRTS", {668, 6, 24, 16}},
        {window.settingsGroup, "stateDCD", {548, 6, 24, 16}},
        {window.settingsGroup, "flowXONXOFF", {632, 4, 60, 20}},
        {window.settingsGroup, "statusButton", {0, 2, 24, 24}},
        {window.settingsGroup, "settingBaud", {88, 4, 92, 19}},
        // The send-mode panes are 472 wide.
        {window.asciiSendGroup, "entry", {56, 16, 340, 19}},
        {window.asciiSendGroup, "isLF", {436, 16, 28, 20}},
        {window.asciiSendGroup, "preview", {56, 36, 340, 68}},
        {window.hexSendGroup, "entry", {56, 16, 408, 19}},
        {window.protoSendGroup, "entry", {200, 16, 264, 19}},
        {window.protoSendGroup, "dv___9", {56, 0, 408, 16}},
        {window.protoSendGroup, "dv___15", {456, 88, 12, 19}},
        {window.sendGroup, "sendButton", {8, 36, 64, 44}},
        {window.sendGroup, "repeatPeriod", {96, 16, 60, 19}},
    };
    for (const PaneItem& item : items)
        EXPECT_EQ(placeOf(item.pane, item.id), item.rect) << item.id;
    // The bottom separator takes the panes' last two pixel rows.
    EXPECT_EQ(window.sendGroup.contentsRect(), QRect(0, 0, 196, 114));
}

TEST(LayoutPositionTest, ProtoDialogLayoutStretchesItsEditorsAndKeepsItsButtons)
{
    WithProtoDialogLayout window(unitZoom);
    EXPECT_EQ(window.size(), QSize(540, 444));
    EXPECT_EQ(window.minimumSize(), QSize(540, 444));
    // Enlarged by 260 x 156: name, rule text, help and comment widen, the help grows taller,
    // the comment and OK keep their distance from the bottom, OK also from the right.
    expectPlacements(window, {800, 600},
                     {
                         {"proto", {60, 12, 180, 24}, {60, 12, 180, 24}},
                         {"protoComment", {60, 348, 468, 48}, {60, 504, 728, 48}},
                         {"protoDesc", {60, 40, 468, 132}, {60, 40, 728, 132}},
                         {"info", {60, 172, 468, 168}, {60, 172, 728, 324}},
                         {"okButton", {464, 408, 64, 24}, {724, 564, 64, 24}},
                         {"dv___5", {12, 12, 40, 19}, {12, 12, 40, 19}},
                         {"dv___6", {12, 348, 44, 19}, {12, 504, 44, 19}},
                         {"protoLabel", {12, 36, 42, 68}, {12, 36, 42, 68}},
                         {"protoName", {244, 12, 284, 24}, {244, 12, 544, 24}},
                     });
}

TEST(LayoutPositionTest, ZoomScalesTheWindowAndEveryItem)
{
    WithMainLayout window({1.5, 1.5});
    EXPECT_EQ(window.size(), QSize(1050, 714));
    EXPECT_EQ(window.minimumSize(), QSize(1050, 714));
    EXPECT_EQ(placeOf(window, "logGrid"), QRect(6, 84, 1038, 414));
    EXPECT_EQ(placeOf(window, "sendGroup"), QRect(1050 - 42 - 294, 714 - 42 - 174, 294, 174));
    // Inside the pane too: the Send button at L 8 W 64, T 36 H 44.
    EXPECT_EQ(placeOf(window.sendGroup, "sendButton"), QRect(12, 54, 96, 66));
}

TEST(LayoutPositionTest, LaterItemsLieOverEarlierOnes)
{
    WithMainLayout window(unitZoom);
    showResized(window, 700, 476);
    // The settings pane covers the tool bar, and of the send-mode panes the last one is on top.
    const QPoint strip = window.mainToolbar.geometry().center();
    EXPECT_TRUE(window.settingsGroup.isAncestorOf(window.childAt(strip)) ||
                window.childAt(strip) == &window.settingsGroup);
    const QPoint panes = window.asciiSendGroup.geometry().topLeft() + QPoint(2, 2);
    EXPECT_EQ(window.childAt(panes), &window.hexSendGroup);
}

}  // namespace
}  // namespace baudrill
