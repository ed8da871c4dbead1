#include "core/simdlanes.h"

namespace {

// Processors with FMA (every x86-64 since about 2013) use the FMA family, which is
// twice as fast; the others the FMA-free one. The two may differ in the last bit of a
// sine or cosine, as the C library's own sin and cos do between such processors.
bool hasFma()
{
#if defined(WIDE_LANE_KERNELS)
    return __builtin_cpu_supports("fma") && __builtin_cpu_supports("avx2");
#else
    return false;
#endif
}

}  // namespace

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
    if (hasFma() && __builtin_cpu_supports("avx512f"))
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
#if defined(WIDE_LANE_KERNELS)
    const bool fma = hasFma();
    switch (lanes) {
    case SimdLanes::two:
        return fma ? fmaLanes2Kernel() : plainLanes2Kernel();
    case SimdLanes::four:
        return fma ? fmaLanes4Kernel() : plainLanes4Kernel();
    case SimdLanes::eight:
        return fmaLanes8Kernel();
    case SimdLanes::one:
        return fma ? fmaLanes1Kernel() : plainLanes1Kernel();
    }
#endif
    (void)lanes;
    return plainLanes1Kernel();
}
