#pragma once

#include <cstdint>

// The loops of the transform pair at one width, with plain pointers so that they can
// be compiled for an instruction set the rest of the program does not assume.
struct LaneKernel {
    int width = 1;

    // Lines first..first + width - 1 of X(k) = (W / N) * sum x(n) e^(-i theta(k, n)),
    // written to re[0..width - 1] and im[0..width - 1].
    void (*forwardLines)(const double* input, std::int32_t sampleCount, double windowTime,
                         std::int32_t first, double* re, double* im) = nullptr;

    // Samples first..first + width - 1 of the reconstruction from lines 0..N - 1,
    // written to output[0..width - 1].
    void (*inverseSamples)(const double* re, const double* im, std::int32_t sampleCount,
                           double windowTime, std::int32_t first, double* output) = nullptr;
};

// The kernels of each width, each built for its own instruction set; only the ones
// this processor runs may be called (see availableLanes). Two families: SLEEF's
// FMA-based deterministic functions ("finz"), for processors with FMA, and its FMA-free
// ones ("cinz") for the others. Within a family every width returns the same bits.
// Each is lanes.cpp compiled for its own instruction set (see core/CMakeLists.txt),
// which includes nothing but this header, twopi.h, the vector maths and <cstring>.
LaneKernel fmaLanes1Kernel();
LaneKernel fmaLanes2Kernel();
LaneKernel fmaLanes4Kernel();
LaneKernel fmaLanes8Kernel();
LaneKernel plainLanes1Kernel();
LaneKernel plainLanes2Kernel();
LaneKernel plainLanes4Kernel();
