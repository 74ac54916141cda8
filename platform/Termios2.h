#pragma once

#include <cstdint>

#include "platform/LineSettings.h"

// The kernel's termios2 record cannot be declared next to <termios.h>, so it is reached only
// through this header: an image of the same layout, pure conversions, and two tiny accessors.
namespace baudrill::platform {

struct TermiosImage {
    uint32_t iflag = 0;
    uint32_t oflag = 0;
    uint32_t cflag = 0;
    uint32_t lflag = 0;
    uint8_t line = 0;
    uint8_t cc[19] = {};
    uint32_t ispeed = 0;
    uint32_t ospeed = 0;
};

// Raw mode from scratch: CLOCAL|CREAD, a rate with a code of its own (B115200) through that
// code and any other through BOTHER, breaks ignored as data (the driver still counts them),
// reads that never wait.
// Refuses what the driver cannot do: a rate <= 0 (B0 would hang the line up), a word length
// outside 5-8, an unknown parity or stop-bit code, and DSR output flow control.
bool ToTermios(const LineSettings& settings, TermiosImage& out);

// The line settings a termios2 record describes. Fields termios does not hold (how DTR is
// driven, RTS outside handshake, the XON/XOFF limits) are taken from `base`.
LineSettings FromTermios(const TermiosImage& image, const LineSettings& base = {});

bool ReadTermios(int fd, TermiosImage& out);
bool WriteTermios(int fd, const TermiosImage& image);

}  // namespace baudrill::platform
