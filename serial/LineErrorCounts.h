#pragma once

namespace baudrill {

// Line errors seen by SerialPort::Control since the last successful Open.
struct LineErrorCounts {
    int breaks = 0;
    int framing = 0;
    int overrun = 0;
    int parity = 0;

    bool operator==(const LineErrorCounts&) const = default;
};

}  // namespace baudrill
