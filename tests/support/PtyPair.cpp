#include "tests/support/PtyPair.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>

namespace baudrill::test {

PtyPair::PtyPair()
{
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0)
        return;
    char name[128] = {};
    if (ptsname_r(master_, name, sizeof name) == 0)
        path_ = name;
}

void PtyPair::CloseMaster()
{
    if (master_ >= 0)
        ::close(master_);
    master_ = -1;
}

bool PtyPair::Send(const std::string& bytes)
{
    return ::write(master_, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
}

std::string PtyPair::Receive(std::size_t count, std::chrono::milliseconds limit)
{
    std::string got;
    auto deadline = std::chrono::steady_clock::now() + limit;
    while (got.size() < count) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            break;
        pollfd p{master_, POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(left.count())) <= 0)
            continue;
        char buffer[4096];
        std::size_t want = std::min(sizeof buffer, count - got.size());
        ssize_t n = ::read(master_, buffer, want);
        if (n > 0)
            got.append(buffer, static_cast<std::size_t>(n));
    }
    return got;
}

std::string PtyPair::ReceiveAll(std::chrono::milliseconds quiet)
{
    std::string got;
    for (;;) {
        pollfd p{master_, POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(quiet.count())) <= 0)
            return got;
        char buffer[65536];
        ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n <= 0)
            return got;
        got.append(buffer, static_cast<std::size_t>(n));
    }
}

}  // namespace baudrill::test
