#pragma once

#include "platform/LineSettings.h"

namespace baudrill::platform {

// How long one write may take before it is cut short: max(length x msPerByte, minimumMs), plus
// lineTimeFactor times the block's time on the line, plus flowControlGraceMs when the line uses
// RTS/CTS or XON/XOFF (a peer may hold such a write for a while, and that is normal). Tests
// shorten it.
struct WriteBoundPolicy {
    int minimumMs = 300;
    int msPerByte = 1;
    int flowControlGraceMs = 10000;
    int lineTimeFactor = 2;
};

// Milliseconds of time on the line for `length` bytes: start bit, data bits, parity, stop bits.
long long LineTimeMs(int length, const LineSettings& line);

// The bound of one write of `length` bytes, in milliseconds, at most INT_MAX.
int WriteBoundMs(int length, const LineSettings& line, const WriteBoundPolicy& policy = {});

}  // namespace baudrill::platform
