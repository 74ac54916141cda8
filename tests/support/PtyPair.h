#pragma once

// A pseudo-terminal pair for tests of the POSIX side: the slave's path is opened by the code
// under test, the master is the peer at the other end of the line. No <termios.h> here, so
// tests that include the kernel's termbits may use it.

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <string>

namespace baudrill::test {

class PtyPair {
public:
    PtyPair() {
        master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) return;
        char name[128] = {};
        if (ptsname_r(master_, name, sizeof name) == 0) path_ = name;
    }
    ~PtyPair() { CloseMaster(); }
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool Ok() const { return master_ >= 0 && !path_.empty(); }
    const std::string& SlavePath() const { return path_; }
    // The peer's end (non-blocking), for tests that drive it themselves.
    int MasterFd() const { return master_; }

    void CloseMaster() {
        if (master_ >= 0) ::close(master_);
        master_ = -1;
    }

    bool Send(const std::string& bytes) {
        return ::write(master_, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    }

    // Reads what the slave side sent until `count` bytes are in or `limit` has passed.
    std::string Receive(std::size_t count, std::chrono::milliseconds limit) {
        std::string got;
        auto deadline = std::chrono::steady_clock::now() + limit;
        while (got.size() < count) {
            auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0) break;
            pollfd p{master_, POLLIN, 0};
            if (poll(&p, 1, static_cast<int>(left.count())) <= 0) continue;
            char buffer[4096];
            std::size_t want = std::min(sizeof buffer, count - got.size());
            ssize_t n = ::read(master_, buffer, want);
            if (n > 0) got.append(buffer, static_cast<std::size_t>(n));
        }
        return got;
    }

    // Everything the slave side has sent so far, waiting `quiet` for more after each chunk.
    std::string ReceiveAll(std::chrono::milliseconds quiet = std::chrono::milliseconds(100)) {
        std::string got;
        for (;;) {
            pollfd p{master_, POLLIN, 0};
            if (poll(&p, 1, static_cast<int>(quiet.count())) <= 0) return got;
            char buffer[65536];
            ssize_t n = ::read(master_, buffer, sizeof buffer);
            if (n <= 0) return got;
            got.append(buffer, static_cast<std::size_t>(n));
        }
    }

private:
    int master_ = -1;
    std::string path_;
};

}  // namespace baudrill::test
