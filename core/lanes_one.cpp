// The transform loops 1 lane wide: the C fallback every processor runs.
#include "core/lanekernel.h"
#include "core/twopi.h"

#include <sleef.h>

#include <cstring>

namespace {

using Lanes = double;

struct SinCos {
    Lanes sin;
    Lanes cos;
};

SinCos sinCos(Lanes angle)
{
    const auto result = Sleef_cinz_sincosd1_u10purec(angle);
    return {result.x, result.y};
}

#include "core/lanekernel.inc"

}  // namespace

LaneKernel lanes1Kernel()
{
    return {laneCount, forwardLines, inverseSamples};
}
