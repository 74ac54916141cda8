// Placeholder: the settings file is being written.
#include "monitor/settings/SettingsFile.h"

namespace baudrill {

bool LoadSettingsFile(MainWindow&, const std::string&) { return false; }
bool StoreSettingsFile(MainWindow&, const std::string&) { return false; }

}  // namespace baudrill
