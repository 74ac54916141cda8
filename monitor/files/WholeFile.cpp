#include "monitor/files/WholeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace baudrill {

namespace {

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

}  // namespace

bool ReadWholeFile(const std::string& path, std::string& bytes)
{
    bytes.clear();
    // Non-blocking, so a named pipe in the way does not wait for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct stat info = {};
    bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    if (ok) {
        // One read of the size the file has; a file that shrank meanwhile gives what is there.
        bytes.resize(static_cast<std::size_t>(info.st_size));
        std::size_t got = 0;
        while (got < bytes.size()) {
            const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                ok = false;
            if (n <= 0)
                break;
            got += static_cast<std::size_t>(n);
        }
        bytes.resize(got);
    }
    ::close(fd);
    if (!ok)
        bytes.clear();
    return ok;
}

std::string TemporaryFileFor(const std::string& path) { return path + ".tmp" + std::to_string(::getpid()); }

bool WriteFileReplacing(const std::string& path, std::string_view bytes)
{
    const std::string temporary = TemporaryFileFor(path);
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    // The new file keeps the old one's permissions.
    struct stat old = {};
    const bool keepMode = ::stat(path.c_str(), &old) == 0;
    bool ok = (!keepMode || ::fchmod(fd, old.st_mode & 07777) == 0) && WriteAll(fd, bytes) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && std::rename(temporary.c_str(), path.c_str()) == 0;
    if (!ok)
        ::unlink(temporary.c_str());
    return ok;
}

}  // namespace baudrill
