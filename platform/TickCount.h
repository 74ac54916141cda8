#pragma once

#include <cstdint>

namespace baudrill::platform {

// Milliseconds of CLOCK_MONOTONIC: never wraps, signed so that deadlines can use -1 for none.
int64_t MonotonicMs();

// The low 32 bits of MonotonicMs: wraps every 49.7 days.
uint32_t TickCount();

// Milliseconds from `from` to `to`, correct across the wrap (modulo 2^32).
constexpr uint32_t TicksBetween(uint32_t from, uint32_t to) { return to - from; }

}  // namespace baudrill::platform
