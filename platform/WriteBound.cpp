#include "platform/WriteBound.h"

#include <algorithm>
#include <climits>

namespace baudrill::platform {

long long LineTimeMs(int length, const LineSettings& line)
{
    if (length <= 0 || line.baudRate <= 0)
        return 0;
    long long bitsPerChar =
        1 + line.byteSize + (line.parity != ParityNone ? 1 : 0) + (line.stopBits == TwoStopBits ? 2 : 1);
    long long bits = bitsPerChar * length;
    return (bits * 1000 + line.baudRate - 1) / line.baudRate;  // rounded up
}

int WriteBoundMs(int length, const LineSettings& line, const WriteBoundPolicy& policy)
{
    long long bound =
        std::max<long long>(static_cast<long long>(std::max(length, 0)) * policy.msPerByte, policy.minimumMs);
    bound += static_cast<long long>(policy.lineTimeFactor) * LineTimeMs(length, line);
    bool flowControl = line.ctsOutFlow || line.rtsControl == LineControl::Handshake || line.outX || line.inX;
    if (flowControl)
        bound += policy.flowControlGraceMs;
    return static_cast<int>(std::clamp<long long>(bound, 1, INT_MAX));
}

}  // namespace baudrill::platform
