#include "platform/TermiosIo.h"

namespace baudrill::platform {

TermiosIo::~TermiosIo() = default;

bool RateHonoured(uint32_t requested, uint32_t effective) {
    uint64_t difference = requested > effective ? requested - effective : effective - requested;
    return requested > 0 && difference * 100 <= uint64_t{requested} * RateTolerancePercent;
}

bool ApplyTermios(TermiosIo& io, const TermiosImage& wanted) {
    TermiosImage previous;
    if (!io.Read(previous)) return false;
    TermiosImage effective;
    if (io.Write(wanted) && io.Read(effective) && RateHonoured(wanted.ospeed, effective.ospeed))
        return true;
    io.Write(previous);
    return false;
}

}  // namespace baudrill::platform
