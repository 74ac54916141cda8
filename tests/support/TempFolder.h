#pragma once

#include <string>
#include <string_view>

namespace baudrill::test {

// A fresh folder under the system's temporary folder, removed with everything in it when the
// object goes. Path() is empty when the folder could not be made.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(std::string_view name) const { return path_ + "/" + std::string(name); }

    // Writes a file (creating its folders), or creates a folder when `content` is null.
    void Make(const std::string& relative, const char* content = nullptr) const;

    int EntryCount() const;

private:
    std::string path_;
};

}  // namespace baudrill::test
