#pragma once

#include <string>
#include <vector>

#include "monitor/settings/GridHeader.h"
#include "monitor/settings/WindowPlacement.h"

namespace baudrill {

class SettingsStream;

// The main window's items in the settings file that come before its ports, in the file's
// order: the version text, the window placement, the grid's column header, the selected tab's
// index and the port names in tab order.
struct WindowItems {
    explicit WindowItems(std::string& versionText) : version(versionText) {}

    std::string& version;  // the window's stored version text
    WindowPlacement placement;
    GridHeader header;
    int tab = 0;
    std::vector<std::string> portNames;
    // Loading: the placement and the header were read whole (they are then the file's).
    bool placementLoaded = false;
    bool headerLoaded = false;

    // Stores or loads the items; storing gives the number of names. Loading gives the number of
    // ports to re-create, one for each of the first `portNames` (which it keeps, at most
    // MaxLoadedPorts), or -1 when loading ends here: another version text, a loading error, or
    // more names than the rest of the file could hold ports for (an error too).
    int Serialize(SettingsStream& stream);
};

}  // namespace baudrill
