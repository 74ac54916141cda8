#pragma once

#include <string>

namespace baudrill {

class MainWindow;

// Loads the settings file into the window (see MainWindow::Serialize); false when nothing was
// loaded (no file, another format or version).
bool LoadSettingsFile(MainWindow& window, const std::string& path);
// Stores the window's settings; false when the file could not be written (the old one stays).
bool StoreSettingsFile(MainWindow& window, const std::string& path);

}  // namespace baudrill
