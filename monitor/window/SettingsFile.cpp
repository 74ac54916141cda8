#include "monitor/window/SettingsFile.h"

#include <utility>

#include "monitor/text/ProgramTexts.h"
#include "monitor/settings/SettingsStream.h"
#include "monitor/files/WholeFile.h"
#include "monitor/window/MainWindow.h"

namespace baudrill {

bool LoadSettingsFile(MainWindow& window, const std::string& path)
{
    std::string bytes;
    if (!ReadWholeFile(path, bytes))
        return false;
    SettingsStream stream = SettingsStream::ForLoading(std::move(bytes));
    if (!stream.HasFrame())
        return false;
    // Cleared first, so a version text that cannot be read counts as another version.
    window.storedVersion.clear();
    window.Serialize(stream);
    return window.storedVersion == VersionText;
}

bool StoreSettingsFile(MainWindow& window, const std::string& path)
{
    SettingsStream stream;
    window.Serialize(stream);
    return WriteFileReplacing(path, stream.FramedBytes());
}

}  // namespace baudrill
