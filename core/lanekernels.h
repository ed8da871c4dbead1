// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The kernels of the fast transform pair, for the transform itself and for the tests
// that hold every kernel against the others; not part of the transform's contract.

#include <cstdint>
#include <span>

// The kernels come in two families, each returning the same bits at every vector
// width: one whose sine and cosine series use fused multiply-adds, for x86-64
// processors with FMA and AVX2 and for every AArch64 processor (with the same bits on
// both), and one of plain products and sums for the others. The two may differ
// in the last bits of a sine or cosine, as the C library's own sin and cos may between
// processors with and without FMA.
enum class LaneFamily { plain, fma };

// The loops of the transform pair for `width` lines (or samples) side by side, one per
// lane of a vector register, with the sine and cosine of `family`. They are defined by
// core/lanekernel.cpp, which the build compiles once per kernel for that kernel's
// instruction set (add_lane_kernel in core/CMakeLists.txt).

// Lines first..first + width - 1 of X(k) = (W / N) * sum x(n) e^(-i theta(k, n)),
// written to re[0..width - 1] and im[0..width - 1].
template <int width, LaneFamily family>
void forwardLines(const double* input, std::int32_t sampleCount, double windowTime,
                  std::int32_t first, double* re, double* im);

// Samples first..first + width - 1 of the reconstruction from lines 0..N - 1 (any
// sample index, N and past it included), written to output[0..width - 1].
template <int width, LaneFamily family>
void inverseSamples(const double* re, const double* im, std::int32_t sampleCount, double windowTime,
                    std::int32_t first, double* output);

struct LaneKernel {
    int width = 1;
    LaneFamily family = LaneFamily::plain;
    // Whether this processor (and its operating system) has the kernel's instruction set.
    bool runnable = false;
    // Whether the transform takes the kernel here: it is runnable and of the family
    // chosen for the processor, so that every kernel one processor takes gives the
    // same bits.
    bool supported = false;
    decltype(&forwardLines<1, LaneFamily::plain>) forward = nullptr;
    decltype(&inverseSamples<1, LaneFamily::plain>) inverse = nullptr;
};

// Every kernel of this build, with whether this processor runs and takes it. There is
// one taken kernel of width 1 on every processor, and never two taken kernels of one
// width.
std::span<const LaneKernel> laneKernels();
