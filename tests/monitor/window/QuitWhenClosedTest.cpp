// Closing the main window ends the event loop even while the protocol editor is open.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>

#include "monitor/protocols/editor/ProtoDialog.h"
#include "monitor/window/MainWindow.h"
#include "monitor/window/QuitWhenClosed.h"
#include "tests/support/gui/GuiTestEnvironment.h"

namespace baudrill::test {
namespace {

TEST(QuitWhenClosed, ClosingTheMainWindowEndsTheLoopWhileTheEditorIsOpen)
{
    MainWindow window;
    QuitWhenClosed(window);
    showResized(window, 700, 476);
    window.OpenProtoDialog();
    ASSERT_TRUE(theProtoDialog->isVisible());

    bool closedEditorAlone = false;
    bool gaveUp = false;
    QTimer::singleShot(0, [&] {
        // Closing the editor alone keeps the program running.
        theProtoDialog->close();
        QTimer::singleShot(0, [&] {
            closedEditorAlone = true;
            theProtoDialog->show();
            window.close();
        });
    });
    // Only a loop that failed to end reaches this bound.
    QTimer::singleShot(10000, [&] {
        gaveUp = true;
        QCoreApplication::quit();
    });
    QApplication::exec();
    EXPECT_TRUE(closedEditorAlone);
    EXPECT_FALSE(gaveUp);
    EXPECT_FALSE(window.isVisible());
}

}  // namespace
}  // namespace baudrill::test
