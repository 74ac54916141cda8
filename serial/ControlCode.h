#pragma once

namespace baudrill {

// The first argument of IOBase::Control.
enum ControlCode : int {
    SendBreak = 0,         // a break of 250 ms; no output
    GetErrorCounts = 256,  // output: LineErrorCounts
    GetBreakFlag = 257,    // output int: 1 if a break was reported since the last query
    GetFramingFlag = 258,  // output int: the same for a framing error
    GetOverrunFlag = 259,  // output int: the same for a hardware overrun
    GetParityFlag = 260,   // output int: the same for a parity error
    GetInputQueue = 261,   // output int: bytes waiting in the driver's input queue
};

}  // namespace baudrill
