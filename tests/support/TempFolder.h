#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <system_error>

namespace baudrill::test {

// A fresh folder under the system's temporary folder, removed with everything in it when the
// object goes. Path() is empty when the folder could not be made.
class TempFolder {
public:
    TempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "baudrill-test-XXXXXX").string();
        if (::mkdtemp(pattern.data()))
            path_ = pattern;
    }
    ~TempFolder()
    {
        std::error_code error;
        if (!path_.empty())
            std::filesystem::remove_all(path_, error);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(std::string_view name) const { return path_ + "/" + std::string(name); }

    // Writes a file (creating its folders), or creates a folder when `content` is null.
    void Make(const std::string& relative, const char* content = nullptr) const
    {
        const std::filesystem::path target = std::filesystem::path(path_) / relative;
        if (!content) {
            std::filesystem::create_directories(target);
            return;
        }
        std::filesystem::create_directories(target.parent_path());
        std::ofstream(target) << content;
    }

    int EntryCount() const
    {
        std::error_code error;
        return static_cast<int>(std::distance(std::filesystem::directory_iterator(path_, error),
                                              std::filesystem::directory_iterator()));
    }

private:
    std::string path_;
};

}  // namespace baudrill::test
