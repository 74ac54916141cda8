#include "platform/SerialPortList.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace baudrill::platform {

namespace {

namespace fs = std::filesystem;

// A ttyS* entry exists for every possible legacy UART; type 0 means no UART is behind it.
bool IsEmptyLegacyPort(const fs::path& entry)
{
    if (entry.filename().string().rfind("ttyS", 0) != 0)
        return false;
    std::ifstream typeFile(entry / "type");
    int type = -1;
    if (!(typeFile >> type))
        return false;
    return type == 0;
}

}  // namespace

std::vector<std::string> ListSerialPorts(const std::string& sysfsRoot)
{
    std::vector<std::string> names;
    std::error_code error;
    fs::directory_iterator it(fs::path(sysfsRoot) / "class" / "tty", error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        const fs::path& entry = it->path();
        std::error_code linkError;
        if (!fs::exists(entry / "device", linkError))
            continue;
        if (IsEmptyLegacyPort(entry))
            continue;
        names.push_back(entry.filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace baudrill::platform
