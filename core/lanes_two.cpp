// The transform loops 2 lanes wide: SSE2, which every x86-64 processor has.
#include "core/lanekernel.h"
#include "core/twopi.h"

#include <sleef.h>

#include <cstring>

namespace {

using Lanes = double __attribute__((vector_size(16)));

struct SinCos {
    Lanes sin;
    Lanes cos;
};

SinCos sinCos(Lanes angle)
{
    const auto result = Sleef_cinz_sincosd2_u10sse2(angle);
    return {result.x, result.y};
}

#include "core/lanekernel.inc"

}  // namespace

LaneKernel lanes2Kernel()
{
    return {laneCount, forwardLines, inverseSamples};
}
