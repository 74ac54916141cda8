#pragma once

#include <memory>
#include <string>

#include "tests/support/PtyPair.h"
#include "tests/support/TempFolder.h"

namespace baudrill {
class MainWindow;
}

namespace baudrill::test {

// The rate the pseudo terminal's line is set to now (both ends share one setting); 0 when it
// cannot be read.
unsigned LineSpeed(const test::PtyPair& pty);

// Points XDG_DATA_HOME, where the protocol editor and the log writer look, at a temporary
// folder for the object's life.
class TemporaryDataHome {
public:
    TemporaryDataHome();
    ~TemporaryDataHome();
    TemporaryDataHome(const TemporaryDataHome&) = delete;
    TemporaryDataHome& operator=(const TemporaryDataHome&) = delete;

private:
    TempFolder folder_;
    bool hadOld_ = false;
    std::string old_;
};

// A main window as the program makes it before loading the settings: titled, not shown.
std::unique_ptr<MainWindow> ProgramWindow();

// The items of a port as a file holds them: the rate, no RTS/CTS, XON/XOFF, mode 2 (HEX),
// slot 4, and empty slot and row containers.
std::string PortItems(int baud);

}  // namespace baudrill::test
