#pragma once

#include <cstdint>

namespace baudrill::platform {

// Milliseconds of CLOCK_MONOTONIC in 32 bits: wraps every 49.7 days.
uint32_t TickCount();

// Milliseconds from `from` to `to`, correct across the wrap (modulo 2^32).
constexpr uint32_t TicksBetween(uint32_t from, uint32_t to) { return to - from; }

}  // namespace baudrill::platform
