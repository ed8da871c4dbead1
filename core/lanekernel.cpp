// SPDX-License-Identifier: GPL-3.0-or-later
// The loops of the transform pair for one kernel of the table in fasttransform.cpp.
// The build compiles this file once per kernel, each time for the kernel's own
// instruction set, naming its width, its family and SLEEF's sine-and-cosine function
// for them: LANE_WIDTH, LANE_FAMILY (plain or fma) and LANE_SINCOS.
//
// Everything here is a template of the width and the family, and this file is compiled
// for one pair of them only. So every function compiled here for one instruction set
// has a name no other kernel's copy of this file gives, and the linker can never pick
// it for code that must run on a processor without that instruction set. For the same
// reason only plain pointers and memcpy appear here: an inline library function
// instantiated here could be picked by the linker for the whole program.
#include "core/lanekernels.h"
#include "core/twopi.h"

#include <sleef.h>

#include <cstring>

// `width` doubles side by side. Arithmetic between a double and Lanes applies to every
// lane, each lane rounding exactly as scalar code would, so every lane reproduces the
// literal sums bit for bit apart from the sine and cosine. (GCC keeps the vector
// attribute of a dependent type only in this typedef form, not in std::conditional or
// an alias template.)
template <int width>
struct LaneType {
    typedef double type __attribute__((vector_size(width * sizeof(double))));
};

template <>
struct LaneType<1> {
    typedef double type;
};

template <int width>
using Lanes = typename LaneType<width>::type;

template <int width>
struct SinCos {
    Lanes<width> sin;
    Lanes<width> cos;
};

template <int width, LaneFamily family>
SinCos<width> sinCos(Lanes<width> angle);

static_assert(sizeof(Lanes<LANE_WIDTH>) == LANE_WIDTH * sizeof(double));

template <>
SinCos<LANE_WIDTH> sinCos<LANE_WIDTH, LaneFamily::LANE_FAMILY>(Lanes<LANE_WIDTH> angle)
{
    const auto result = LANE_SINCOS(angle);
    return {result.x, result.y};
}

template <int width, LaneFamily family>
Lanes<width> loadLanes(const double* values)
{
    Lanes<width> lanes;
    std::memcpy(&lanes, values, sizeof lanes);
    return lanes;
}

template <int width, LaneFamily family>
void storeLanes(double* values, Lanes<width> lanes)
{
    std::memcpy(values, &lanes, sizeof lanes);
}

// first, first + 1, ... as doubles.
template <int width, LaneFamily family>
Lanes<width> laneIndices(std::int32_t first)
{
    double indices[width];
    for (int lane = 0; lane < width; ++lane)
        indices[lane] = static_cast<double>(first) + lane;
    return loadLanes<width, family>(indices);
}

template <int width, LaneFamily family>
void forwardLines(const double* input, std::int32_t sampleCount, double windowTime,
                  std::int32_t first, double* re, double* im)
{
    const double count = static_cast<double>(sampleCount);
    const Lanes<width> lineTwoPi = laneIndices<width, family>(first) * twoPi;
    const auto angleAt = [&](std::int32_t n) {
        return (lineTwoPi * static_cast<double>(n)) / count;
    };
    Lanes<width> sumRe{};
    Lanes<width> sumIm{};
    Lanes<width> angle = angleAt(0);
    for (std::int32_t n = 0; n < sampleCount; ++n) {
        // The next angle is formed before this one's sine and cosine, so that its
        // division runs while SLEEF works rather than delaying the next call.
        const Lanes<width> nextAngle = angleAt(n + 1);
        const SinCos<width> sc = sinCos<width, family>(angle);
        const double g = (windowTime / count) * input[n];
        sumRe = (g * sc.cos) + sumRe;
        sumIm = sumIm - (g * sc.sin);
        angle = nextAngle;
    }
    storeLanes<width, family>(re, sumRe);
    storeLanes<width, family>(im, sumIm);
}

template <int width, LaneFamily family>
void inverseSamples(const double* re, const double* im, std::int32_t sampleCount, double windowTime,
                    std::int32_t first, double* output)
{
    const double count = static_cast<double>(sampleCount);
    const double scale = 1 / windowTime;
    const Lanes<width> samples = laneIndices<width, family>(first);
    const auto angleAt = [&](std::int32_t k) {
        const double lineTwoPi = static_cast<double>(k) * twoPi;
        return (lineTwoPi * samples) / count;
    };
    Lanes<width> sum{};
    Lanes<width> angle = angleAt(0);
    for (std::int32_t k = 0; k < sampleCount; ++k) {
        const Lanes<width> nextAngle = angleAt(k + 1);  // as in forwardLines
        const SinCos<width> sc = sinCos<width, family>(angle);
        sum = (((sc.cos * re[k]) - (sc.sin * im[k])) * scale) + sum;
        angle = nextAngle;
    }
    storeLanes<width, family>(output, sum);
}

template void forwardLines<LANE_WIDTH, LaneFamily::LANE_FAMILY>(const double* input,
                                                                std::int32_t sampleCount,
                                                                double windowTime,
                                                                std::int32_t first, double* re,
                                                                double* im);
template void
inverseSamples<LANE_WIDTH, LaneFamily::LANE_FAMILY>(const double* re, const double* im,
                                                    std::int32_t sampleCount, double windowTime,
                                                    std::int32_t first, double* output);
