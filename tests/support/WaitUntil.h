#pragma once

#include <chrono>
#include <functional>

namespace baudrill::test {

// A deadline for waits on real threads and devices: generous, so a loaded machine passes. A test
// asserts what happened by then, never how soon.
inline constexpr std::chrono::seconds GenerousWait{10};

// Runs `step` (if any) and then tests `done`, every millisecond, until `done` holds or `limit`
// has passed; true when it held. `step` is what moves the waited-for thing on: an event pump, a
// queue drained on this thread.
bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = GenerousWait,
               const std::function<void()>& step = {});

}  // namespace baudrill::test
