// The transform loops 4 lanes wide: AVX.
#include "core/lanekernel.h"
#include "core/twopi.h"

#include <sleef.h>

#include <cstring>

namespace {

using Lanes = double __attribute__((vector_size(32)));

struct SinCos {
    Lanes sin;
    Lanes cos;
};

SinCos sinCos(Lanes angle)
{
    const auto result = Sleef_cinz_sincosd4_u10avx(angle);
    return {result.x, result.y};
}

#include "core/lanekernel.inc"

}  // namespace

LaneKernel lanes4Kernel()
{
    return {laneCount, forwardLines, inverseSamples};
}
