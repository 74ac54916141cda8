#include "platform/TermiosIo.h"

namespace baudrill::platform {

TermiosIo::~TermiosIo() = default;

bool RateHonoured(uint32_t requested, uint32_t effective)
{
    uint64_t difference = requested > effective ? requested - effective : effective - requested;
    return requested > 0 && difference * 100 <= uint64_t{requested} * RateTolerancePercent;
}

bool SettingsHonoured(const TermiosImage& wanted, const TermiosImage& effective)
{
    const LineSettings a = FromTermios(wanted);
    const LineSettings b = FromTermios(effective);
    return RateHonoured(wanted.ospeed, effective.ospeed) && a.byteSize == b.byteSize && a.parity == b.parity &&
           a.stopBits == b.stopBits && a.ctsOutFlow == b.ctsOutFlow && a.outX == b.outX && a.inX == b.inX;
}

bool ApplyTermios(TermiosIo& io, const TermiosImage& wanted)
{
    TermiosImage previous;
    if (!io.Read(previous))
        return false;
    TermiosImage effective;
    if (io.Write(wanted) && io.Read(effective) && SettingsHonoured(wanted, effective))
        return true;
    io.Write(previous);
    return false;
}

}  // namespace baudrill::platform
