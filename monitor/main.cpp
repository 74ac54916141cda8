// The program's start and end: the log writer, then the main window, the settings file
// around the event loop, and the teardown in the reverse order.
#include <QApplication>

#include "monitor/LogFileName.h"
#include "monitor/Logger.h"
#include "monitor/ProgramTexts.h"
#include "monitor/settings/SettingsFile.h"
#include "monitor/window/EventHook.h"
#include "monitor/window/MainWindow.h"

int main(int, char** argv)
{
    using namespace baudrill;

    // The program takes no arguments: Qt sees the program name only.
    int appArgc = 1;
    char* appArgv[] = {argv[0], nullptr};
    QApplication app(appArgc, appArgv);
    // Closing the main window ends the program, also while the protocol editor is open.
    QApplication::setQuitOnLastWindowClosed(false);

    // Every port can hand rows to the log writer from the moment it exists.
    theLogger = new Logger(DefaultLogRoot());
    theLogger->Start();
    {
        MainWindow window;
        window.setWindowTitle(QString::fromUtf8(VersionText));
        EventHook::Install(window, [](QEvent& event) {
            if (event.type() == QEvent::Close)
                QCoreApplication::quit();
            return false;
        });
        // Relative: the settings file lives in the working directory.
        LoadSettingsFile(window, SettingsFileName);
        // Whatever version a loaded file carried, the file written at the end is current.
        window.storedVersion = VersionText;
        window.show();
        QApplication::exec();
        StoreSettingsFile(window, SettingsFileName);
        // The window goes first: its ports hand their last rows to the log writer.
    }
    delete theLogger;
    theLogger = nullptr;
    return 0;
}
