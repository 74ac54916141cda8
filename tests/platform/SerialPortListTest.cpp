#include "platform/SerialPortList.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace baudrill::platform {
namespace {

namespace fs = std::filesystem;

// A sysfs tree of tty class entries, made in a folder of its own per test.
class FakeSysfs {
public:
    FakeSysfs()
    {
        fs::create_directories(root_ / "devices" / "dev0");
        fs::create_directories(root_ / "class" / "tty");
    }

    void AddTty(const std::string& name, bool withDevice, const char* type = nullptr)
    {
        fs::path entry = root_ / "class" / "tty" / name;
        fs::create_directories(entry);
        if (withDevice)
            fs::create_directory_symlink(root_ / "devices" / "dev0", entry / "device");
        if (type)
            std::ofstream(entry / "type") << type << "\n";
    }
    std::string Root() const { return root_.string(); }

private:
    test::TempFolder folder_;
    fs::path root_{folder_.Path()};
};

TEST(SerialPortListTest, ListsTtysWithADeviceSortedBytewise)
{
    FakeSysfs sysfs;
    sysfs.AddTty("ttyUSB0", true);
    sysfs.AddTty("ttyS0", true, "0");  // a legacy placeholder without a UART
    sysfs.AddTty("ttyS1", true, "4");  // a real 16550A
    sysfs.AddTty("ttyS10", true);      // no type file: kept
    sysfs.AddTty("ttyACM1", true);
    sysfs.AddTty("tty0", false);  // virtual console: no device link
    sysfs.AddTty("ptmx", false);
    sysfs.AddTty("ttyUSB10", true);
    EXPECT_EQ(ListSerialPorts(sysfs.Root()),
              (std::vector<std::string>{"ttyACM1", "ttyS1", "ttyS10", "ttyUSB0", "ttyUSB10"}));
}

TEST(SerialPortListTest, MissingTreeGivesAnEmptyList)
{
    EXPECT_TRUE(ListSerialPorts("/nonexistent/sysfs/root").empty());
}

}  // namespace
}  // namespace baudrill::platform
