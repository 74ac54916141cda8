// The program's start and end: the log writer, then the main window, the settings file
// around the event loop, and the teardown in the reverse order.
#include <QApplication>

#include "monitor/log/LogFileName.h"
#include "monitor/log/Logger.h"
#include "monitor/text/ProgramTexts.h"
#include "monitor/window/SettingsFile.h"
#include "monitor/window/MainWindow.h"
#include "monitor/window/QuitWhenClosed.h"
#include "monitor/window/SessionEndSignals.h"

int main(int, char** argv)
{
    using namespace baudrill;

    // The program takes no arguments: Qt sees the program name only.
    int appArgc = 1;
    char* appArgv[] = {argv[0], nullptr};
    QApplication app(appArgc, appArgv);
    // Ending the session (a log-out, kill, a service manager) closes the window as its close
    // button does; the shutdown below then runs as after any close.
    SessionEndSignals sessionEnd;

    // Every port can hand rows to the log writer from the moment it exists.
    theLogger = new Logger(DefaultLogRoot());
    theLogger->Start();
    {
        MainWindow window;
        window.setWindowTitle(QString::fromUtf8(VersionText));
        // Closing the main window ends the program, also while the protocol editor is open.
        QuitWhenClosed(window);
        sessionEnd.CloseOnSignal(window);
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
