#pragma once

#include <cstdint>

namespace baudrill {

// The step budget of each grammar run the GUI thread makes: a received chunk's decoding (all
// the tails it tries together), a sent row's decoding, the PROTO entry read and composed
// (together), an automatic answer. A step's time is bounded (work and memory are paid in
// steps), so the budget bounds the time: the costliest steps bench/HostileRuleBench finds end
// such a run well within 50 ms, and an ordinary protocol decodes a row of several KiB in it.
inline constexpr std::int64_t GuiRunStepBudget = 2'000'000;

}  // namespace baudrill
