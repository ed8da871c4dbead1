// The transform loops at one vector width with one sine-and-cosine function. The build
// compiles this file once per kernel, each time for its own instruction set, naming
// the width, the function and the kernel: LANE_WIDTH, LANE_SINCOS and LANE_KERNEL.
#include "core/lanekernel.h"
#include "core/twopi.h"

#include <sleef.h>

#include <cstring>

namespace {

#if LANE_WIDTH == 1
using Lanes = double;
#else
using Lanes = double __attribute__((vector_size(LANE_WIDTH * sizeof(double))));
#endif

struct SinCos {
    Lanes sin;
    Lanes cos;
};

SinCos sinCos(Lanes angle)
{
    const auto result = LANE_SINCOS(angle);
    return {result.x, result.y};
}

#include "core/lanekernel.inc"

}  // namespace

LaneKernel LANE_KERNEL()
{
    return {laneCount, forwardLines, inverseSamples};
}
