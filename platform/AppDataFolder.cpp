#include "platform/AppDataFolder.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace baudrill::platform {

namespace {

bool IsAbsolute(const char* path) { return path && path[0] == '/'; }

std::string PasswdHome()
{
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found || !found->pw_dir)
        return {};
    return found->pw_dir;
}

}  // namespace

std::string AppDataFolderFrom(const char* xdgDataHome, const char* home, const char* passwdHome)
{
    if (IsAbsolute(xdgDataHome))
        return xdgDataHome;
    if (IsAbsolute(home))
        return std::string(home) + "/.local/share";
    if (IsAbsolute(passwdHome))
        return std::string(passwdHome) + "/.local/share";
    return "/tmp";
}

std::string AppDataFolder()
{
    std::string passwdHome = PasswdHome();
    return AppDataFolderFrom(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"), passwdHome.c_str());
}

}  // namespace baudrill::platform
