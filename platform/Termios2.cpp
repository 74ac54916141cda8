// Includes the kernel's termbits and never <termios.h>: the two declare the same names.
#include "platform/Termios2.h"

#include <asm/ioctls.h>
#include <asm/termbits.h>
#include <sys/ioctl.h>

#include <cstddef>
#include <cstring>

namespace baudrill::platform {

static_assert(sizeof(TermiosImage) == sizeof(termios2));
static_assert(offsetof(TermiosImage, cflag) == offsetof(termios2, c_cflag));
static_assert(offsetof(TermiosImage, cc) == offsetof(termios2, c_cc));
static_assert(sizeof(TermiosImage::cc) == sizeof(termios2::c_cc));
static_assert(offsetof(TermiosImage, ospeed) == offsetof(termios2, c_ospeed));

namespace {

uint32_t WordLengthFlag(uint8_t bits)
{
    switch (bits) {
    case 5: return CS5;
    case 6: return CS6;
    case 7: return CS7;
    default: return CS8;
    }
}

uint8_t WordLengthOf(uint32_t cflag)
{
    switch (cflag & CSIZE) {
    case CS5: return 5;
    case CS6: return 6;
    case CS7: return 7;
    default: return 8;
    }
}

uint32_t ParityFlags(uint8_t parity)
{
    switch (parity) {
    case ParityOdd: return PARENB | PARODD;
    case ParityEven: return PARENB;
    case ParityMark: return PARENB | CMSPAR | PARODD;
    case ParitySpace: return PARENB | CMSPAR;
    default: return 0;
    }
}

// The rates that have a code of their own; tools that read termios (stty) know only these.
struct RateCode {
    int rate;
    uint32_t code;
};
constexpr RateCode RateCodes[] = {
    {50, B50},           {75, B75},           {110, B110},         {134, B134},         {150, B150},
    {200, B200},         {300, B300},         {600, B600},         {1200, B1200},       {1800, B1800},
    {2400, B2400},       {4800, B4800},       {9600, B9600},       {19200, B19200},     {38400, B38400},
    {57600, B57600},     {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
    {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000}, {1500000, B1500000},
    {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000}, {3500000, B3500000}, {4000000, B4000000},
};

uint32_t RateFlag(int rate)
{
    for (const RateCode& r : RateCodes)
        if (r.rate == rate)
            return r.code;
    return BOTHER;
}

uint8_t ParityOf(uint32_t cflag)
{
    if (!(cflag & PARENB))
        return ParityNone;
    bool odd = cflag & PARODD;
    if (cflag & CMSPAR)
        return odd ? ParityMark : ParitySpace;
    return odd ? ParityOdd : ParityEven;
}

}  // namespace

bool ToTermios(const LineSettings& s, TermiosImage& out)
{
    if (s.baudRate <= 0 || s.byteSize < 5 || s.byteSize > 8 || s.parity > ParitySpace)
        return false;
    if (s.stopBits != OneStopBit && s.stopBits != TwoStopBits)
        return false;
    if (s.dsrOutFlow)
        return false;

    TermiosImage t;
    // HUPCL drops DTR and RTS when the device is closed, as a closed serial port should.
    t.cflag = CLOCAL | CREAD | HUPCL | RateFlag(s.baudRate) | WordLengthFlag(s.byteSize) | ParityFlags(s.parity);
    if (s.stopBits == TwoStopBits)
        t.cflag |= CSTOPB;
    if (s.ctsOutFlow || s.rtsControl == LineControl::Handshake)
        t.cflag |= CRTSCTS;
    // The driver counts a break (TIOCGICOUNT) and it is reported as a line error; without
    // IGNBRK it would also reach the data as a NUL byte.
    t.iflag = IGNBRK;
    if (s.parityCheck)
        t.iflag |= INPCK;
    if (s.outX)
        t.iflag |= IXON;
    if (s.inX)
        t.iflag |= IXOFF;
    t.cc[VSTART] = static_cast<uint8_t>(s.xonChar);
    t.cc[VSTOP] = static_cast<uint8_t>(s.xoffChar);
    t.cc[VMIN] = 0;
    t.cc[VTIME] = 0;
    // The kernel takes the rate from the code and fills the speeds in itself; they are set for
    // BOTHER and so that the image reads back the rate before it reaches a driver.
    t.ispeed = t.ospeed = static_cast<uint32_t>(s.baudRate);
    out = t;
    return true;
}

LineSettings FromTermios(const TermiosImage& t, const LineSettings& base)
{
    LineSettings s = base;
    s.baudRate = static_cast<int>(t.ospeed);  // the kernel fills it in for a rate code too
    s.byteSize = WordLengthOf(t.cflag);
    s.parity = ParityOf(t.cflag);
    s.stopBits = (t.cflag & CSTOPB) ? TwoStopBits : OneStopBit;
    bool handshake = t.cflag & CRTSCTS;
    s.ctsOutFlow = handshake;
    if (handshake)
        s.rtsControl = LineControl::Handshake;
    else if (s.rtsControl == LineControl::Handshake)
        s.rtsControl = LineControl::Enable;
    s.parityCheck = t.iflag & INPCK;
    s.outX = t.iflag & IXON;
    s.inX = t.iflag & IXOFF;
    s.xonChar = static_cast<char>(t.cc[VSTART]);
    s.xoffChar = static_cast<char>(t.cc[VSTOP]);
    return s;
}

bool ReadTermios(int fd, TermiosImage& out)
{
    termios2 t{};
    if (ioctl(fd, TCGETS2, &t) != 0)
        return false;
    std::memcpy(static_cast<void*>(&out), &t, sizeof t);
    return true;
}

bool WriteTermios(int fd, const TermiosImage& image)
{
    termios2 t{};
    std::memcpy(&t, &image, sizeof t);
    return ioctl(fd, TCSETS2, &t) == 0;
}

}  // namespace baudrill::platform
