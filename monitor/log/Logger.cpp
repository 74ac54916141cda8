#include "monitor/log/Logger.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "monitor/log/LogFileName.h"
#include "monitor/log/LogRow.h"

namespace baudrill {

Logger* theLogger = nullptr;

namespace {

std::tm LocalTimeNow()
{
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

void MakeFolder(const std::string& path)
{
    std::error_code ignored;
    std::filesystem::create_directories(path, ignored);
}

// For reading as well: the last byte tells whether a row was cut short.
int OpenForAppend(const std::string& path)
{
    return ::open(path.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
}

bool EndsWithinALine(int fd)
{
    struct stat status {};
    if (::fstat(fd, &status) != 0 || status.st_size == 0)
        return false;
    char last = '\n';
    return ::pread(fd, &last, 1, status.st_size - 1) == 1 && last != '\n';
}

}  // namespace

Logger::Logger(std::string logRoot) : Logger(std::move(logRoot), LocalTimeNow()) {}

Logger::Logger(std::string logRoot, const std::tm& startTime, FileWrite writeFile)
    : CallbackThread(QueueBound), logRoot(std::move(logRoot)), baseName(LogBaseName(startTime)),
      monthFolder(this->logRoot + "/" + LogMonthName(startTime)), writeFile(std::move(writeFile))
{
    MakeFolder(monthFolder);
}

Logger::~Logger() { CallbackThread::Stop(); }

std::string Logger::FileName(std::string_view device) const
{
    return monthFolder + "/" + baseName + "_" + DeviceLogName(device) + extension;
}

// The file is opened with the row's first block, so a row without bytes makes no file.
void Logger::Write(std::string device, std::string timeText, bool received, RowBytes bytes, std::string protocolText)
{
    const std::string path = FileName(device);
    int fd = -1;
    WriteLogRow(block, timeText, received, bytes, protocolText, [&](std::string_view text) {
        if (fd < 0) {
            fd = OpenLogFile(path);
            if (fd >= 0 && !EndCutLine(fd))
                return false;
        }
        return fd >= 0 && WriteAll(fd, text);
    });
    if (fd >= 0)
        ::close(fd);
}

bool Logger::WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        ssize_t n = writeFile(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

bool Logger::EndCutLine(int fd) { return !EndsWithinALine(fd) || WriteAll(fd, "\n"); }

int Logger::OpenLogFile(const std::string& path)
{
    int fd = OpenForAppend(path);
    if (fd < 0 && errno == ENOENT) {
        // The folder went away during the run (or could not be made at start): make it again.
        MakeFolder(monthFolder);
        fd = OpenForAppend(path);
    }
    return fd;
}

}  // namespace baudrill
