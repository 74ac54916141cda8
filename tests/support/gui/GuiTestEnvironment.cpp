#include "tests/support/gui/GuiTestEnvironment.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFont>
#include <QStyleFactory>
#include <QWidget>

namespace baudrill::test {

namespace {

class GuiTestEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app_ = new QApplication(argc_, argv_);
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(testFontPixels);
        QApplication::setFont(font);
    }

    void TearDown() override
    {
        delete app_;
        app_ = nullptr;
    }

private:
    // QApplication keeps references to both for its whole life.
    inline static int argc_ = 1;
    inline static char name_[] = "baudrill-gui-test";
    inline static char* argv_[] = {name_, nullptr};
    QApplication* app_ = nullptr;
};

}  // namespace

::testing::Environment* NewGuiTestEnvironment() { return new GuiTestEnvironment; }

void showResized(QWidget& widget, int width, int height)
{
    widget.show();
    widget.resize(width, height);
    QApplication::processEvents();
}

}  // namespace baudrill::test
