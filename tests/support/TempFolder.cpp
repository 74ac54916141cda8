#include "tests/support/TempFolder.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace baudrill::test {

TempFolder::TempFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "baudrill-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()))
        path_ = pattern;
}

TempFolder::~TempFolder()
{
    std::error_code error;
    if (!path_.empty())
        std::filesystem::remove_all(path_, error);
}

void TempFolder::Make(const std::string& relative, const char* content) const
{
    const std::filesystem::path target = std::filesystem::path(path_) / relative;
    if (!content) {
        std::filesystem::create_directories(target);
        return;
    }
    std::filesystem::create_directories(target.parent_path());
    std::ofstream(target) << content;
}

int TempFolder::EntryCount() const
{
    std::error_code error;
    return static_cast<int>(
        std::distance(std::filesystem::directory_iterator(path_, error), std::filesystem::directory_iterator()));
}

}  // namespace baudrill::test
