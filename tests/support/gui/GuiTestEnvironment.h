#pragma once

#include "monitor/layouts/LayoutZoom.h"

class QWidget;

namespace testing {
class Environment;
}

namespace baudrill::test {

// Every GUI test runs in one QApplication on the offscreen platform, with the Fusion style
// and DejaVu Sans at 12 pixels, so that sizes and positions do not depend on the machine.
constexpr int testFontPixels = 12;

// Layout units as pixels.
constexpr LayoutZoom unitZoom{1.0, 1.0};

// The environment that makes that QApplication, for gtest to own (GuiTestMain.cpp adds it).
::testing::Environment* NewGuiTestEnvironment();

// Shows `widget`, gives it `width` x `height` and lets the resize reach its layouts.
void showResized(QWidget& widget, int width, int height);

}  // namespace baudrill::test
