// The transform loops 8 lanes wide: AVX-512F.
#include "core/lanekernel.h"
#include "core/twopi.h"

#include <sleef.h>

#include <cstring>

namespace {

using Lanes = double __attribute__((vector_size(64)));

struct SinCos {
    Lanes sin;
    Lanes cos;
};

SinCos sinCos(Lanes angle)
{
    const auto result = Sleef_cinz_sincosd8_u10avx512fnofma(angle);
    return {result.x, result.y};
}

#include "core/lanekernel.inc"

}  // namespace

LaneKernel lanes8Kernel()
{
    return {laneCount, forwardLines, inverseSamples};
}
