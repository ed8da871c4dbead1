#include "core/simdlanes.h"

// The wider kernels are built on x86-64 with GCC or Clang, whose vector extensions
// they use; elsewhere the one-lane kernel does all the work.
std::vector<SimdLanes> availableLanes()
{
    std::vector<SimdLanes> lanes{SimdLanes::one};
#if defined(WIDE_LANE_KERNELS)
    // Every x86-64 processor has SSE2; the others need the processor and the operating
    // system (which must save the wider registers) to agree, which these checks cover.
    lanes.push_back(SimdLanes::two);
    if (__builtin_cpu_supports("avx"))
        lanes.push_back(SimdLanes::four);
    if (__builtin_cpu_supports("avx512f"))
        lanes.push_back(SimdLanes::eight);
#endif
    return lanes;
}

SimdLanes widestLanes()
{
    return availableLanes().back();
}

LaneKernel laneKernel(SimdLanes lanes)
{
    switch (lanes) {
#if defined(WIDE_LANE_KERNELS)
    case SimdLanes::two:
        return lanes2Kernel();
    case SimdLanes::four:
        return lanes4Kernel();
    case SimdLanes::eight:
        return lanes8Kernel();
#endif
    default:
        return lanes1Kernel();
    }
}
