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

#if defined(__FMA__) && defined(__x86_64__)
#include <immintrin.h>
#elif defined(__aarch64__) && defined(__ARM_FEATURE_FMA)
#include <arm_neon.h>
#endif

#include <cstdint>
#include <cstring>
#include <utility>

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

// value in every lane. (value - 0 is value whatever its sign, so the compiler leaves out
// the subtraction, which it could not for value + 0, that turns -0 into +0.)
template <int width>
[[gnu::always_inline]] inline Lanes<width> splat(double value)
{
    return value - Lanes<width>{};
}

// Adding and taking away 1.5 * 2^52 rounds a double of magnitude below 2^51 to the
// nearest integer: the sum lies in [2^52, 2^53), where the doubles are the integers,
// and the low bits of its bit pattern are those of that integer.
constexpr double roundingShift = 0x1.8p52;
static_assert((__builtin_bit_cast(std::uint64_t, roundingShift) & 0xffff'ffff) == 0);

// a * b + c: with one rounding in the FMA family, with two in the plain one. This is
// the one place that names an instruction set: another processor's FMA family adds its
// fused multiply-add here, and everything else is written in terms of this.
template <int width, LaneFamily family>
[[gnu::always_inline]] inline Lanes<width> multiplyAdd(Lanes<width> a, Lanes<width> b,
                                                       Lanes<width> c)
{
    if constexpr (family == LaneFamily::plain) {
        return (a * b) + c;
    } else {
#if defined(__FMA__) && defined(__x86_64__)
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

// A double cut into a head and a tail of at most 26 significant bits each (Veltkamp's
// split), so that the head or the tail times a whole number below 2^26 is exact.
template <int width>
struct Halves {
    Lanes<width> head;
    Lanes<width> tail;
};

template <int width>
[[gnu::always_inline]] inline Halves<width> halves(Lanes<width> a)
{
    const Lanes<width> scaled = a * 0x1.0000002p27;  // 2^27 + 1
    const Lanes<width> head = scaled - (scaled - a);
    return {head, a - head};
}

// a * m - c, exact, for a whole number m below 2^26 and a c so close to a * m that the
// difference is a double: the error of the product c = fl(a * m). The FMA family forms
// it in one fused step; the plain family from the halves of a (Dekker's product), whose
// products with m are exact and whose head's product lies so close to c that taking c
// away is exact too.
template <int width, LaneFamily family>
[[gnu::always_inline]] inline Lanes<width> exactExcess(Lanes<width> a, Halves<width> aHalves,
                                                       Lanes<width> m, Lanes<width> c)
{
    if constexpr (family == LaneFamily::fma)
        return multiplyAdd<width, family>(a, m, -c);
    else
        return ((aHalves.head * m) - c) + (aHalves.tail * m);
}

// c - a * m, exact, on the same terms: the remainder of a quotient c / m rounded to a.
template <int width, LaneFamily family>
[[gnu::always_inline]] inline Lanes<width> exactShortfall(Lanes<width> a, Halves<width> aHalves,
                                                          Lanes<width> m, Lanes<width> c)
{
    if constexpr (family == LaneFamily::fma)
        return multiplyAdd<width, family>(-a, m, c);
    else
        return (c - (aHalves.head * m)) - (aHalves.tail * m);
}

// Highest power first, for Horner's rule in z = x^2: the polynomials of least greatest
// relative error on [-pi/4, pi/4] (Remez's exchange, rounded to doubles). With them
// sin x = x + x z S(z) is within 5.9e-18 of its size, and cos x = 1 + z C(z) within
// 3e-18, where the Taylor terms to the same powers would leave out 2e-14 and 5e-16.
constexpr double sinCoefficients[] = {0x1.5d932f7839ebep-33, -0x1.ae5e66d585d95p-26,
                                      0x1.71de3578752d0p-19, -0x1.a01a019c126bfp-13,
                                      0x1.111111110f881p-7,  -0x1.5555555555549p-3};
constexpr double cosCoefficients[] = {
    -0x1.8f75441338941p-37, 0x1.1ee96cc6d0a34p-29, -0x1.27e4f72b73ebep-22, 0x1.a01a019b2d85ep-16,
    -0x1.6c16c16c13ba6p-10, 0x1.5555555555539p-5,  -0x1.0000000000000p-1};

// The sine and cosine of an angle of the transform from the polynomials, the anchor
// every few steps of the rotation below and its step.
//
// The angle is first taken less the nearest whole number m of quarter turns, to x in
// [-pi/4, pi/4] (to a hair). m is below 4 (N + 8) < 2^34 for every angle a transform of
// 32-bit N forms. In the FMA family pi / 2 comes in two parts, the double nearest it
// and the rest: the first fused step is exact (the difference is below 1 and a multiple
// of 2^-53), so x is off by its own rounding and by m times the 6e-33 the two parts
// leave out. In the plain family pi / 2 comes in four parts, of which the first three
// have at most 19 significant bits, so their products with m are exact. m then picks
// the quadrant: the sine and cosine swap for odd m, and change sign as m says.
template <int width, LaneFamily family>
[[gnu::always_inline]] inline SinCos<width> polynomialSinCos(Lanes<width> angle)
{
    constexpr double quartersPerRadian = 0x1.45f306dc9c883p-1;  // 2 / pi
    const Lanes<width> shifted = (angle * quartersPerRadian) + roundingShift;
    const Lanes<width> quarters = shifted - roundingShift;
    Lanes<width> x;
    if constexpr (family == LaneFamily::fma) {
        constexpr double halfPi = 0x1.921fb54442d18p0;
        constexpr double halfPiRest = 0x1.1a62633145c07p-54;
        x = multiplyAdd<width, family>(-quarters, splat<width>(halfPi), angle);
        x = multiplyAdd<width, family>(-quarters, splat<width>(halfPiRest), x);
    } else {
        constexpr double halfPiFirst = 0x1.921f8p+0;
        constexpr double halfPiSecond = 0x1.aa22p-19;
        constexpr double halfPiThird = 0x1.68c2p-39;
        constexpr double halfPiRest = 0x1.a62633145c06ep-58;  // to 5e-35
        x = (((angle - (quarters * halfPiFirst)) - (quarters * halfPiSecond)) -
             (quarters * halfPiThird)) -
            (quarters * halfPiRest);
    }
    const Lanes<width> z = x * x;

    Lanes<width> sinPolynomial = splat<width>(sinCoefficients[0]);
    for (int i = 1; i < int(sizeof sinCoefficients / sizeof(double)); ++i)
        sinPolynomial =
            multiplyAdd<width, family>(sinPolynomial, z, splat<width>(sinCoefficients[i]));
    Lanes<width> cosPolynomial = splat<width>(cosCoefficients[0]);
    for (int i = 1; i < int(sizeof cosCoefficients / sizeof(double)); ++i)
        cosPolynomial =
            multiplyAdd<width, family>(cosPolynomial, z, splat<width>(cosCoefficients[i]));
    const Lanes<width> sinX = multiplyAdd<width, family>(x * z, sinPolynomial, x);
    const Lanes<width> cosX = multiplyAdd<width, family>(z, cosPolynomial, splat<width>(1));

    // The low bits of `shifted` are those of m, as those of 1.5 * 2^52 are 0: the sine
    // changes sign with bit 1 of m, the cosine with bit 1 of m + 1, which is bit 1 of m
    // when bit 0 is clear and its opposite when it is set. (Shifts and a comparison with
    // 0 only, so that no mask need be kept in a register.)
    const IntegerLanes<width> q = __builtin_bit_cast(IntegerLanes<width>, shifted);
    const IntegerLanes<width> odd = q << 63;
    const IntegerLanes<width> sinSign = (q >> 1) << 63;
    const IntegerLanes<width> cosSign = sinSign ^ odd;
    const Lanes<width> sinSwapped = (odd == 0) ? sinX : cosX;
    const Lanes<width> cosSwapped = (odd == 0) ? cosX : sinX;
    return {__builtin_bit_cast(Lanes<width>,
                               __builtin_bit_cast(IntegerLanes<width>, sinSwapped) ^ sinSign),
            __builtin_bit_cast(Lanes<width>,
                               __builtin_bit_cast(IntegerLanes<width>, cosSwapped) ^ cosSign)};
}

// The angle of the transform as it is written, theta = fl(fl(L * i) / N), and how far
// the exact L * i / N lies beyond it: shortfall = (L * i / N) - theta. Both roundings
// are known exactly, the product's error and the quotient's remainder, and the
// shortfall is their sum over N. In the reconstruction L = fl(k * twoPi) is itself
// short of k * twoPi, by lineShortfall, so the shortfall takes in lineShortfall * i too.
template <int width>
struct Angle {
    Lanes<width> theta;
    Lanes<width> shortfall;
};

template <int width, LaneFamily family, bool withLineShortfall>
[[gnu::always_inline]] inline Angle<width>
literalAngle(Lanes<width> lineTwoPi, Halves<width> lineTwoPiHalves, Lanes<width> index,
             double count, double inverseCount, Lanes<width> lineShortfall)
{
    const Lanes<width> product = lineTwoPi * index;
    const Lanes<width> theta = product / count;
    Lanes<width> error = exactExcess<width, family>(lineTwoPi, lineTwoPiHalves, index, product);
    if constexpr (withLineShortfall)
        error = multiplyAdd<width, family>(lineShortfall, index, error);
    const Lanes<width> remainder =
        exactShortfall<width, family>(theta, halves<width>(theta), splat<width>(count), product);
    return {theta, (error + remainder) * inverseCount};
}

// The sine and cosine of the angle of `sc` less d, from the first terms of the series
// in d: to first order, sin(a - d) = s - d c and cos(a - d) = c + d s, which leave out
// d^2 / 2 of the pair's size; to second order s - d (c + (d / 2) s) and
// c + d (s - (d / 2) c), which leave out below d^3 / 6.
template <int width, LaneFamily family, bool secondOrder>
[[gnu::always_inline]] inline SinCos<width> turnedBack(SinCos<width> sc, Lanes<width> d)
{
    if constexpr (secondOrder) {
        const Lanes<width> halfD = d * 0.5;
        const Lanes<width> cosAhead = multiplyAdd<width, family>(halfD, sc.sin, sc.cos);
        const Lanes<width> sinAhead = multiplyAdd<width, family>(-halfD, sc.cos, sc.sin);
        return {multiplyAdd<width, family>(-d, cosAhead, sc.sin),
                multiplyAdd<width, family>(d, sinAhead, sc.cos)};
    } else {
        return {multiplyAdd<width, family>(-d, sc.cos, sc.sin),
                multiplyAdd<width, family>(d, sc.sin, sc.cos)};
    }
}

// The pair of the angle of `sc` plus that of `step`.
template <int width, LaneFamily family>
[[gnu::always_inline]] inline SinCos<width> rotated(SinCos<width> sc, SinCos<width> step)
{
    return {multiplyAdd<width, family>(sc.sin, step.cos, sc.cos * step.sin),
            multiplyAdd<width, family>(sc.cos, step.cos, -(sc.sin * step.sin))};
}

// How many steps the rotation takes from one anchor to the next. An anchor costs about
// as many products as two steps' worth of rotation, so 32 steps take an eighth less time
// than 16; each chain then carries its roundings over 16 rotations instead of 8, which
// keeps the sums within about 1e-14 of the literal ones up to N = 16000 (5e-15 at
// N = 4000). A multiple of every kernel's width, so that a run's samples and lines come
// in whole vectors.
constexpr std::int32_t stepsPerAnchor = 32;
static_assert(stepsPerAnchor % LANE_WIDTH == 0);

// Whether the pair handed on is turned back to second order in its shortfall d. The
// first order leaves out d^2 / 2 of the pair's size: below 1e-17 up to N = 2,000,000,
// and at the largest N below 8.8e-17 in the transform and 8.6e-16 in the reconstruction
// (|d| < 4.1e-8 there), less than the rotation's own roundings; the second order costs
// three more operations in the hot loop, a fifth of its time.
constexpr bool secondOrderTurn = false;

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

// The sine and cosine of theta(k, i) = ((k * twoPi) * i) / N for i = 0..N - 1 in turn,
// in every lane, handed to use(i, j, pair) with i and its place j in its run of steps.
//
// The exact angle L * i / N (L = k * twoPi) advances by the same L / N at every i, so
// the pair of the exact angle is carried from one i to the next by a rotation, a
// handful of products instead of the polynomials. Every stepsPerAnchor steps the pair
// is anchored afresh from the polynomials, so the roundings of the rotations cannot
// pile up; `anchored(i)` is called first, for what the caller prepares a run of steps
// ahead. Between anchors two rotations take turns, one for odd and one for even steps
// from the anchor, each by two steps at a time: each carries its roundings over half
// as many steps, and neither waits for the other. Each pair handed on is the rotated
// one turned back onto the literal angle theta by its shortfall, below 4.1e-8 radians
// for every 32-bit N (see literalAngle).
//
// In the transform (lineInLanes) i is the sample and k the lane's line. In the
// reconstruction i is the lane's sample and k the line of the loop: L = fl(k * twoPi)
// then changes with k, so the rotation steps by twoPi * i / N, and the shortfall takes
// in L's own rounding. L and its rounding are the same in every lane, so they are
// worked out a run of steps ahead, `width` lines at a time.
template <int width, LaneFamily family, bool lineInLanes, typename Anchored, typename Use>
[[gnu::always_inline]] inline void forEachLiteralAngle(Lanes<width> lanes, std::int32_t count,
                                                       Anchored anchored, Use use)
{
    const double countValue = static_cast<double>(count);
    const double inverseCount = 1 / countValue;
    const Halves<width> lanesHalves = halves<width>(lanes);
    const Halves<width> twoPiHalves = halves<width>(splat<width>(twoPi));
    // For the steps of a run: in the transform the sample index; in the reconstruction
    // L = fl(k * twoPi), its halves and its shortfall. Read from the stack, step by step,
    // they take no register.
    struct Line {
        double index[stepsPerAnchor];
        double lineTwoPi[stepsPerAnchor];
        double head[stepsPerAnchor];
        double tail[stepsPerAnchor];
        double shortfall[stepsPerAnchor];
    } line;
    const auto reconstructionAngle = [&](Lanes<width> lineTwoPi, Halves<width> lineHalves,
                                         Lanes<width> lineShortfall) {
        return literalAngle<width, family, true>(lineTwoPi, lineHalves, lanes, countValue,
                                                 inverseCount, lineShortfall);
    };
    const auto lineAt = [&](Lanes<width> k) {
        const Lanes<width> lineTwoPi = k * twoPi;
        return std::pair{
            lineTwoPi, exactExcess<width, family>(splat<width>(twoPi), twoPiHalves, k, lineTwoPi)};
    };
    const auto transformAngle = [&](Lanes<width> at) {
        return literalAngle<width, family, false>(lanes, lanesHalves, at, countValue, inverseCount,
                                                  at);
    };
    // The literal angle of the j-th step of the run.
    const auto angleAt = [&](std::int32_t j) {
        if constexpr (lineInLanes) {
            return transformAngle(splat<width>(line.index[j]));
        } else {
            return reconstructionAngle(splat<width>(line.lineTwoPi[j]),
                                       {splat<width>(line.head[j]), splat<width>(line.tail[j])},
                                       splat<width>(line.shortfall[j]));
        }
    };
    // The angle of step i alone, for the steps of the rotation.
    const auto angleOf = [&](std::int32_t i) {
        const Lanes<width> at = splat<width>(static_cast<double>(i));
        if constexpr (lineInLanes) {
            return transformAngle(at);
        } else {
            const auto [lineTwoPi, lineShortfall] = lineAt(at);
            return reconstructionAngle(lineTwoPi, halves<width>(lineTwoPi), lineShortfall);
        }
    };
    // The pair of the exact angle at i, from the polynomials at theta.
    const auto exactAt = [&](const Angle<width>& a, const SinCos<width>& literal) {
        return turnedBack<width, family, true>(literal, -a.shortfall);
    };
    const auto literalFrom = [&](const SinCos<width>& exact, std::int32_t j) {
        return turnedBack<width, family, secondOrderTurn>(exact, angleAt(j).shortfall);
    };
    const Angle<width> one = angleOf(1);
    const SinCos<width> step = exactAt(one, polynomialSinCos<width, family>(one.theta));
    const Angle<width> two = angleOf(2);
    const SinCos<width> twoSteps = exactAt(two, polynomialSinCos<width, family>(two.theta));

    const Angle<width> zero = angleOf(0);
    SinCos<width> nextLiteral = polynomialSinCos<width, family>(zero.theta);
    SinCos<width> nextExact = exactAt(zero, nextLiteral);
    for (std::int32_t anchor = 0; anchor < count; anchor += stepsPerAnchor) {
        if constexpr (lineInLanes) {
            for (std::int32_t j = 0; j < stepsPerAnchor; ++j)
                line.index[j] = static_cast<double>(anchor + j);
        } else {
            // Lines past N - 1 in the last run are worked out and never used.
            for (std::int32_t j = 0; j < stepsPerAnchor; j += width) {
                const auto [lineTwoPi, lineShortfall] =
                    lineAt(laneIndices<width, family>(anchor + j));
                const Halves<width> lineHalves = halves<width>(lineTwoPi);
                std::memcpy(line.lineTwoPi + j, &lineTwoPi, sizeof lineTwoPi);
                std::memcpy(line.head + j, &lineHalves.head, sizeof lineTwoPi);
                std::memcpy(line.tail + j, &lineHalves.tail, sizeof lineTwoPi);
                std::memcpy(line.shortfall + j, &lineShortfall, sizeof lineTwoPi);
            }
        }
        anchored(anchor);
        const SinCos<width> literal = nextLiteral;
        SinCos<width> even = nextExact;
        // The next run's anchor, here rather than at the start of that run: its
        // polynomials are a long chain of dependent products, which the processor works
        // through beside this run's rotations instead of waiting for it. (Past the last
        // run it is worked out and never used.)
        {
            const Angle<width> a = angleOf(anchor + stepsPerAnchor);
            nextLiteral = polynomialSinCos<width, family>(a.theta);
            nextExact = exactAt(a, nextLiteral);
        }
        use(anchor, 0, literal);
        SinCos<width> odd = rotated<width, family>(even, step);
        const std::int32_t steps =
            count - anchor > stepsPerAnchor ? stepsPerAnchor : count - anchor;
        std::int32_t j = 1;
        for (; j + 1 < steps; j += 2) {
            use(anchor + j, j, literalFrom(odd, j));
            even = rotated<width, family>(even, twoSteps);
            use(anchor + j + 1, j + 1, literalFrom(even, j + 1));
            odd = rotated<width, family>(odd, twoSteps);
        }
        if (j < steps)
            use(anchor + j, j, literalFrom(odd, j));
    }
}

template <int width, LaneFamily family>
void forwardLines(const double* input, std::int32_t sampleCount, double windowTime,
                  std::int32_t first, double* re, double* im)
{
    const double step = windowTime / static_cast<double>(sampleCount);
    // g = (W / N) x(n) for the samples of a run of steps, `width` at a time.
    double g[stepsPerAnchor];
    const auto weigh = [&](std::int32_t anchor) {
        if (sampleCount - anchor >= stepsPerAnchor) {
            for (std::int32_t j = 0; j < stepsPerAnchor; j += width)
                storeLanes<width, family>(g + j,
                                          loadLanes<width, family>(input + anchor + j) * step);
        } else {
            for (std::int32_t j = 0; j < sampleCount - anchor; ++j)
                g[j] = step * input[anchor + j];
        }
    };
    Lanes<width> sumRe{};
    Lanes<width> sumIm{};
    forEachLiteralAngle<width, family, true>(laneIndices<width, family>(first) * twoPi, sampleCount,
                                             weigh,
                                             [&](std::int32_t, std::int32_t j, SinCos<width> sc) {
                                                 sumRe = (g[j] * sc.cos) + sumRe;
                                                 sumIm = sumIm - (g[j] * sc.sin);
                                             });
    storeLanes<width, family>(re, sumRe);
    storeLanes<width, family>(im, sumIm);
}

template <int width, LaneFamily family>
void inverseSamples(const double* re, const double* im, std::int32_t sampleCount, double windowTime,
                    std::int32_t first, double* output)
{
    const double scale = 1 / windowTime;
    Lanes<width> sum{};
    forEachLiteralAngle<width, family, false>(
        laneIndices<width, family>(first), sampleCount, [](std::int32_t) {},
        [&](std::int32_t k, std::int32_t, SinCos<width> sc) {
            sum = (((sc.cos * re[k]) - (sc.sin * im[k])) * scale) + sum;
        });
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
