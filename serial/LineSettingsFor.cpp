#include "serial/LineSettingsFor.h"

namespace baudrill {

platform::LineSettings LineSettingsFor(const SerialSettings& s)
{
    using platform::LineControl;
    platform::LineSettings line;
    line.baudRate = s.baud;
    line.parityCheck = false;
    line.ctsOutFlow = s.rtsCts;
    line.dsrOutFlow = false;
    line.dtrControl = LineControl::Enable;
    line.outX = line.inX = s.xonXoff;
    line.rtsControl = s.rtsCts ? LineControl::Handshake : LineControl::Enable;
    line.xonLimit = 3072;
    line.xoffLimit = 3072;
    line.byteSize = s.wordLength;
    line.parity = (s.parity >= platform::ParityOdd && s.parity <= platform::ParitySpace)
                      ? static_cast<uint8_t>(s.parity)
                      : platform::ParityNone;
    line.stopBits = s.stopBits == StopBitsTwo ? platform::TwoStopBits : platform::OneStopBit;
    line.xonChar = 0x11;
    line.xoffChar = 0x13;
    return line;
}

}  // namespace baudrill
