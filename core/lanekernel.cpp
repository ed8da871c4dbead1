// SPDX-License-Identifier: GPL-3.0-or-later
// The loops of the transform pair for one kernel of the table in fasttransform.cpp.
// The build compiles this file once per kernel, each time for the kernel's own
// instruction set, naming its width and family: LANE_WIDTH and LANE_FAMILY (plain or
// fma, which is built with FMA on x86-64 and as it is on AArch64).
//
// Everything here is a template of the width and the family, and this file is compiled
// for one pair of them only. So every function compiled here for one instruction set
// has a name no other kernel's copy of this file gives, and the linker can never pick
// it for code that must run on a processor without that instruction set. For the same
// reason only plain pointers and memcpy appear here: an inline library function
// instantiated here could be picked by the linker for the whole program.
#include "core/lanekernels.h"
#include "core/twopi.h"

#if defined(__FMA__)
#include <immintrin.h>
#elif defined(__aarch64__) && defined(__ARM_FEATURE_FMA)
#include <arm_neon.h>
#endif

#include <cstdint>
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

static_assert(sizeof(Lanes<LANE_WIDTH>) == LANE_WIDTH * sizeof(double));

// 64-bit unsigned integers side by side, one per lane of Lanes<width>, for the bits of
// a double.
template <int width>
struct IntegerLaneType {
    typedef std::uint64_t type __attribute__((vector_size(width * sizeof(std::uint64_t))));
};

template <>
struct IntegerLaneType<1> {
    typedef std::uint64_t type;
};

template <int width>
using IntegerLanes = typename IntegerLaneType<width>::type;

template <int width>
[[gnu::always_inline]] inline Lanes<width> splat(double value)
{
    return Lanes<width>{} + value;
}

// Adding and taking away 1.5 * 2^52 rounds a double of magnitude below 2^51 to the
// nearest integer: the sum lies in [2^52, 2^53), where the doubles are the integers,
// and its bits less those of 1.5 * 2^52 are that integer (modulo 2^64).
constexpr double roundingShift = 0x1.8p52;
constexpr std::uint64_t roundingShiftBits = 0x4338'0000'0000'0000;
static_assert(__builtin_bit_cast(std::uint64_t, roundingShift) == roundingShiftBits);

// a * b + c: with one rounding in the FMA family, with two in the plain one.
template <int width, LaneFamily family>
[[gnu::always_inline]] inline Lanes<width> multiplyAdd(Lanes<width> a, Lanes<width> b,
                                                       Lanes<width> c)
{
    if constexpr (family == LaneFamily::plain) {
        return (a * b) + c;
    } else {
#if defined(__FMA__)
        if constexpr (width == 1)
            return __builtin_fma(a, b, c);
        else if constexpr (width == 2)
            return _mm_fmadd_pd(a, b, c);
        else if constexpr (width == 4)
            return _mm256_fmadd_pd(a, b, c);
        else
            return _mm512_fmadd_pd(a, b, c);
#elif defined(__aarch64__) && defined(__ARM_FEATURE_FMA)
        // FMADD for one double, FMLA for the two of an Advanced SIMD register; they
        // round once, as x86's do, so the FMA family gives the bits it gives there.
        static_assert(width == 1 || width == 2, "Advanced SIMD holds two doubles");
        if constexpr (width == 1)
            return __builtin_fma(a, b, c);
        else
            return vfmaq_f64(c, a, b);
#else
        static_assert(family == LaneFamily::plain, "the FMA family is built with FMA");
#endif
    }
}

// (-1)^(n / 2) / n!, the coefficient of x^n in the series of the sine (odd n) and of
// the cosine (even n). n! is exact in a double up to n = 18, so each is the double
// nearest the exact value.
constexpr double seriesCoefficient(int n)
{
    double factorial = 1;
    for (int i = 2; i <= n; ++i)
        factorial *= i;
    return ((n / 2) % 2 ? -1 : 1) / factorial;
}

// Highest power first, for Horner's rule in x^2.
constexpr double sinCoefficients[] = {
    seriesCoefficient(15), seriesCoefficient(13), seriesCoefficient(11), seriesCoefficient(9),
    seriesCoefficient(7),  seriesCoefficient(5),  seriesCoefficient(3)};
constexpr double cosCoefficients[] = {
    seriesCoefficient(16), seriesCoefficient(14), seriesCoefficient(12), seriesCoefficient(10),
    seriesCoefficient(8),  seriesCoefficient(6),  seriesCoefficient(4),  seriesCoefficient(2)};

// The sine and cosine of an angle of the transform, evaluated afresh for every angle,
// inline in the loops so that several angles are in flight at once (a call into a
// library of vector functions, such as SLEEF, takes one at a time).
//
// The angle is first taken less the nearest whole number m of quarter turns, to x in
// [-pi/4, pi/4] (to a hair). m is below 4 (N + 8) < 2^34 for every angle a transform of
// 32-bit N forms, and each of the first three parts of pi / 2 below has at most 19
// significant bits, so their products with m are exact; each difference is then either exact or
// rounded to the size of x itself, so x is within a few units in its own last place even where the
// angle lies a hair from a multiple of pi / 2 and the sine or cosine from zero, which
// the transform of a symmetric signal meets on every line. On x the series of sin x to
// x^15 and of cos x to x^16 leave out terms below 4.6e-17 and 2e-18. m then picks the
// quadrant: the sine and cosine swap for odd m, and change sign as m says.
template <int width, LaneFamily family>
[[gnu::always_inline]] inline SinCos<width> sinCos(Lanes<width> angle)
{
    constexpr double quartersPerRadian = 0x1.45f306dc9c883p-1;  // 2 / pi
    constexpr double halfPiFirst = 0x1.921f8p+0;
    constexpr double halfPiSecond = 0x1.aa22p-19;
    constexpr double halfPiThird = 0x1.68c2p-39;
    constexpr double halfPiRest = 0x1.a62633145c06ep-58;  // pi / 2 less the above, to 5e-35
    const Lanes<width> shifted = (angle * quartersPerRadian) + roundingShift;
    const Lanes<width> quarters = shifted - roundingShift;
    const Lanes<width> x = (((angle - (quarters * halfPiFirst)) - (quarters * halfPiSecond)) -
                            (quarters * halfPiThird)) -
                           (quarters * halfPiRest);
    const Lanes<width> z = x * x;

    Lanes<width> sinSeries = splat<width>(sinCoefficients[0]);
    for (int i = 1; i < int(sizeof sinCoefficients / sizeof(double)); ++i)
        sinSeries = multiplyAdd<width, family>(sinSeries, z, splat<width>(sinCoefficients[i]));
    Lanes<width> cosSeries = splat<width>(cosCoefficients[0]);
    for (int i = 1; i < int(sizeof cosCoefficients / sizeof(double)); ++i)
        cosSeries = multiplyAdd<width, family>(cosSeries, z, splat<width>(cosCoefficients[i]));
    // sin x = x + x z (-1/3! + z (1/5! - ...)), cos x = 1 + z (-1/2! + z (1/4! - ...))
    const Lanes<width> sinX = multiplyAdd<width, family>(x * z, sinSeries, x);
    const Lanes<width> cosX = multiplyAdd<width, family>(z, cosSeries, splat<width>(1));

    const IntegerLanes<width> q =
        __builtin_bit_cast(IntegerLanes<width>, shifted) - roundingShiftBits;
    const Lanes<width> sinSwapped = ((q & 1) != 0) ? cosX : sinX;
    const Lanes<width> cosSwapped = ((q & 1) != 0) ? sinX : cosX;
    const IntegerLanes<width> sinSign = (q & 2) << 62;
    const IntegerLanes<width> cosSign = ((q + 1) & 2) << 62;
    return {__builtin_bit_cast(Lanes<width>,
                               __builtin_bit_cast(IntegerLanes<width>, sinSwapped) ^ sinSign),
            __builtin_bit_cast(Lanes<width>,
                               __builtin_bit_cast(IntegerLanes<width>, cosSwapped) ^ cosSign)};
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
        // The next angle is formed before this one's sine and cosine: its division is
        // the slowest step, and so it runs alongside the series instead of ahead of
        // them (a quarter of the pair's time on the AMD EPYC of the README).
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
