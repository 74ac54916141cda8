#pragma once

#include <QApplication>

namespace baudrill::bench {

// The application object the GUI benchmarks need, made on first use (offscreen unless the
// environment names a platform); it lives until the program ends.
inline void EnsureApplication()
{
    static int argc = 1;
    static char name[] = "baudrill-bench";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        new QApplication(argc, argv);
    }
}

}  // namespace baudrill::bench
