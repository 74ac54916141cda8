#pragma once

#include <string>

namespace baudrill::platform {

// The per-user application-data folder: $XDG_DATA_HOME when it is an absolute path, else
// $HOME/.local/share, else the passwd home's .local/share; never empty (the last resort is
// /tmp). The folder is not created here.
std::string AppDataFolder();

// The same rule on given values (null or empty means unset), for callers and tests that must
// not depend on the process environment.
std::string AppDataFolderFrom(const char* xdgDataHome, const char* home, const char* passwdHome);

}  // namespace baudrill::platform
