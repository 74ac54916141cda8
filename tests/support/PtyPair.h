#pragma once

// A pseudo-terminal pair for tests of the POSIX side: the slave's path is opened by the code
// under test, the master is the peer at the other end of the line. No <termios.h> here, so
// tests that include the kernel's termbits may use it.

#include <chrono>
#include <cstddef>
#include <string>

namespace baudrill::test {

class PtyPair {
public:
    PtyPair();
    ~PtyPair() { CloseMaster(); }
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool Ok() const { return master_ >= 0 && !path_.empty(); }
    const std::string& SlavePath() const { return path_; }
    // The peer's end (non-blocking), for tests that drive it themselves.
    int MasterFd() const { return master_; }

    void CloseMaster();

    bool Send(const std::string& bytes);

    // Reads what the slave side sent until `count` bytes are in or `limit` has passed.
    std::string Receive(std::size_t count, std::chrono::milliseconds limit);

    // Everything the slave side has sent so far, waiting `quiet` for more after each chunk.
    std::string ReceiveAll(std::chrono::milliseconds quiet = std::chrono::milliseconds(100));

private:
    int master_ = -1;
    std::string path_;
};

}  // namespace baudrill::test
