// Placeholder: the settings file is being written.
#include "monitor/window/MainWindow.h"

namespace baudrill {

void MainWindow::Serialize(SettingsStream&) {}

}  // namespace baudrill
