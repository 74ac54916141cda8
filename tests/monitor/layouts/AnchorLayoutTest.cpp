#include "monitor/layouts/AnchorLayout.h"
#include "monitor/layouts/LayoutZoom.h"
#include "monitor/layouts/WithSendLayout.h"
#include "tests/support/gui/GuiTestEnvironment.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFont>
#include <QLineEdit>
#include <QWidget>

namespace baudrill {
namespace {

using test::showResized;
using test::unitZoom;

TEST(AnchorLayoutTest, PlacesChildrenExactlyInsideTheContentsRectangle)
{
    QWidget parent;
    parent.setContentsMargins(0, 0, 0, 2);  // as a bottom frame does
    auto* layout = new AnchorLayout(unitZoom, {200, 100}, &parent);
    QLineEdit tall;  // a line edit's policy would keep it at its hint height
    QLineEdit bottom;
    layout->addWidget(&tall, LW(10, 50), TH(5, 60));
    layout->addWidget(&bottom, LR(0, 0), BH(0, 10));
    showResized(parent, 200, 100);

    EXPECT_EQ(tall.geometry(), QRect(10, 5, 50, 60));
    EXPECT_EQ(bottom.geometry(), QRect(0, 88, 200, 10));
}

TEST(AnchorLayoutTest, LaterItemsLieOverEarlierOnes)
{
    QWidget parent;
    auto* layout = new AnchorLayout(unitZoom, {100, 100}, &parent);
    QWidget under;
    QWidget over;
    layout->addWidget(&under, LR(0, 0), TB(0, 0));
    layout->addWidget(&over, LR(0, 0), TB(0, 0));
    showResized(parent, 100, 100);

    EXPECT_EQ(parent.childAt(50, 50), &over);
}

TEST(AnchorLayoutTest, ZoomScalesPositionsAndTheLayoutSize)
{
    QWidget parent;
    auto* layout = new AnchorLayout({2.0, 1.5}, {100, 40}, &parent);
    QWidget child;
    layout->addWidget(&child, RW(5, 20), BH(2, 10));
    EXPECT_EQ(layout->sizeHint(), QSize(200, 60));
    showResized(parent, 200, 60);

    EXPECT_EQ(child.geometry(), QRect(200 - 10 - 40, 60 - 3 - 15, 40, 15));
}

TEST(AnchorLayoutTest, StandardZoomFollowsTheApplicationFont)
{
    const LayoutZoom standard = LayoutZoom::standard();
    const LayoutZoom fromFont = LayoutZoom::fromFont(QApplication::font());
    EXPECT_DOUBLE_EQ(standard.x, fromFont.x);
    EXPECT_DOUBLE_EQ(standard.y, fromFont.y);

    // A font twice as large zooms twice as far (to within the fonts' own rounding).
    QFont large = QApplication::font();
    large.setPixelSize(2 * test::testFontPixels);
    const LayoutZoom doubled = LayoutZoom::fromFont(large);
    EXPECT_NEAR(doubled.x / fromFont.x, 2.0, 0.1);
    EXPECT_NEAR(doubled.y / fromFont.y, 2.0, 0.15);
    // The test font is larger than the one the layouts were drawn for.
    EXPECT_GT(fromFont.x, 1.0);
    EXPECT_GT(fromFont.y, 1.0);

    WithSendLayout pane;
    EXPECT_EQ(pane.size(), standard.apply({260, 108}));
}

}  // namespace
}  // namespace baudrill
