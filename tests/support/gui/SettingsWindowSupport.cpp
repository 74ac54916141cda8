#include "tests/support/gui/SettingsWindowSupport.h"

#include <stdlib.h>

#include "monitor/text/ProgramTexts.h"
#include "monitor/window/MainWindow.h"
#include "platform/Termios2.h"
#include "tests/support/monitor/SettingsBytes.h"

namespace baudrill::test {

unsigned LineSpeed(const test::PtyPair& pty)
{
    platform::TermiosImage t{};
    return platform::ReadTermios(pty.MasterFd(), t) ? t.ospeed : 0;
}

TemporaryDataHome::TemporaryDataHome()
{
    const char* old = getenv("XDG_DATA_HOME");
    hadOld_ = old != nullptr;
    if (old)
        old_ = old;
    setenv("XDG_DATA_HOME", folder_.Path().c_str(), 1);
}

TemporaryDataHome::~TemporaryDataHome()
{
    if (hadOld_)
        setenv("XDG_DATA_HOME", old_.c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");
}

std::unique_ptr<MainWindow> ProgramWindow()
{
    auto window = std::make_unique<MainWindow>();
    window->setWindowTitle(QString::fromUtf8(VersionText));
    return window;
}

std::string PortItems(int baud)
{
    return Int32Bytes(baud) + Bytes({0, 1}) + Int32Bytes(2) + Int32Bytes(4) + Bytes({1, 1, 1, 1});
}

}  // namespace baudrill::test
