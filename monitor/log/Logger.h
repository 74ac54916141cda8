#pragma once

#include <unistd.h>

#include <cstddef>
#include <ctime>
#include <functional>
#include <string>
#include <string_view>

#include "monitor/threads/CallbackThread.h"
#include "monitor/traffic/RowBytes.h"

namespace baudrill {

// Appends every finished traffic row to its port's text log, one file per port per run
// (<root>/<yyyy-mm>/<yyyy-mm-dd_hh-mm-ss>_<DEVICE>.txt), on a thread of its own: rows are
// posted as Write calls. Each row opens, appends to and closes the file, so it is on disk as
// soon as its call has run. Failures are not reported: that row is lost (or its rest), the next
// one tries again, and starts on a line of its own.
class Logger : public CallbackThread {
public:
    // Writes bytes to an open file as write(2) does: the count written, or -1 with errno set.
    // Tests pass one that fails, as a full disk does.
    using FileWrite = std::function<ssize_t(int fd, const void* bytes, std::size_t count)>;

    // Names the files by the local time now (or the given start time) and creates the month
    // folder. Rows posted are written once Start has started the thread.
    explicit Logger(std::string logRoot);
    Logger(std::string logRoot, const std::tm& startTime, FileWrite writeFile = ::write);
    // Writes every row posted before, then ends the thread.
    ~Logger() override;

    // The job: appends one row to the device's file (see WriteLogRow). Post it with
    // Post(&Logger::Write, device, timeText, received, bytes, protocolText). The bytes are the
    // row's own, shared rather than copied, however long the row.
    void Write(std::string device, std::string timeText, bool received, RowBytes bytes, std::string protocolText);

    std::string FileName(std::string_view device) const;
    const std::string& MonthFolder() const { return monthFolder; }

private:
    // -1 when the file cannot be opened.
    int OpenLogFile(const std::string& path);
    bool WriteAll(int fd, std::string_view bytes);
    // Ends the line that a row cut short by a failed write left open, so that the next row
    // starts on a line of its own; false when that write fails.
    bool EndCutLine(int fd);

    const std::string logRoot;
    const std::string baseName;
    const std::string monthFolder;
    const std::string extension = ".txt";
    const FileWrite writeFile;
    std::string block;  // reused for every row; only the logger's thread touches it
};

// The program's log writer, made at start-up; null when there is none.
extern Logger* theLogger;

}  // namespace baudrill
