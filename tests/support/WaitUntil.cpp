#include "tests/support/WaitUntil.h"

#include <thread>

namespace baudrill::test {

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit, const std::function<void()>& step)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        if (step)
            step();
        if (done())
            return true;
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

}  // namespace baudrill::test
