#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>

namespace baudrill::test {

// A folder of the running test's own, removed with everything in it at the end.
class TempFolder {
public:
    TempFolder()
    {
        std::string name = std::string("baudrill_settings_") +
                           testing::UnitTest::GetInstance()->current_test_info()->name() + "_" +
                           std::to_string(::getpid());
        std::replace(name.begin(), name.end(), '/', '_');
        path_ = std::filesystem::temp_directory_path() / name;
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() { std::filesystem::remove_all(path_); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    int EntryCount() const
    {
        return static_cast<int>(
            std::distance(std::filesystem::directory_iterator(path_), std::filesystem::directory_iterator()));
    }

private:
    std::filesystem::path path_;
};

}  // namespace baudrill::test
