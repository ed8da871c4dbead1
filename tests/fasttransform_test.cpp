// SPDX-License-Identifier: GPL-3.0-or-later
// The fast transform pair against the literal one: the same sums, spread over threads
// and vector lanes, so the same numbers to the last bits of the sine and cosine, and
// exactly the same bits whatever the threads and lanes.
#include "core/fasttransform.h"
#include "core/lanekernels.h"
#include "core/transform.h"
#include "randomsamples.h"
#include "tests/testsupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <utility>
#include <vector>

namespace {

using testsupport::largestMagnitude;

// N + 1 samples between -50 and 50.
std::vector<double> samplesFor(std::int32_t count, unsigned seed)
{
    return randomSamples(static_cast<std::size_t>(count) + 1, seed, 50.0);
}

struct Pair {
    std::vector<double> re, im, output;
};

Pair literalPair(const std::vector<double>& x, std::int32_t n, double w)
{
    const auto size = static_cast<std::size_t>(n) + 1;
    Pair p{std::vector<double>(size), std::vector<double>(size), std::vector<double>(size)};
    forwardTransform(x, n, w, p.re, p.im);
    inverseTransform(p.re, p.im, n, w, p.output);
    return p;
}

Pair fastPair(const std::vector<double>& x, std::int32_t n, double w,
              const TransformOptions& options = {})
{
    const auto size = static_cast<std::size_t>(n) + 1;
    Pair p{std::vector<double>(size), std::vector<double>(size), std::vector<double>(size)};
    EXPECT_TRUE(fastForwardTransform(x, n, w, p.re, p.im, options));
    EXPECT_TRUE(fastInverseTransform(p.re, p.im, n, w, p.output, options));
    return p;
}

// Element by element, within 1e-12 of the largest magnitude of the expected array.
void expectClose(const std::vector<double>& actual, const std::vector<double>& expected,
                 const char* what)
{
    ASSERT_EQ(actual.size(), expected.size());
    const double tolerance = 1e-12 * std::max(largestMagnitude(expected), 1e-300);
    for (std::size_t i = 0; i < expected.size(); ++i)
        ASSERT_NEAR(actual[i], expected[i], tolerance) << what << "(" << i << ")";
}

void expectSameBits(const std::vector<double>& actual, const std::vector<double>& expected,
                    const char* what)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        ASSERT_EQ(std::bit_cast<std::uint64_t>(actual[i]),
                  std::bit_cast<std::uint64_t>(expected[i]))
            << what << "(" << i << ")";
}

TEST(FastTransform, AgreesWithTheLiteralPairForManySizes)
{
    // Odd and even N, both roundings of K for odd N, sizes around every lane width,
    // and a few thousand.
    const std::int32_t sizes[] = {1,  2,  3,  4,   5,   6,   7,    8,    9,    15,   16,  17,
                                  31, 33, 64, 127, 255, 256, 1000, 1001, 1002, 1003, 2999};
    for (std::int32_t n : sizes) {
        SCOPED_TRACE(testing::Message() << "N = " << n);
        const double w = 0.5 + (n % 7);
        const std::vector<double> x = samplesFor(n, static_cast<unsigned>(n));
        const Pair expected = literalPair(x, n, w);
        const Pair actual = fastPair(x, n, w);
        expectClose(actual.re, expected.re, "re");
        expectClose(actual.im, expected.im, "im");
        // Sample N included: the rebuilt signal at t = W, one period on from sample 0.
        expectClose(actual.output, expected.output, "output");
        EXPECT_NEAR(actual.output.back(), actual.output.front(),
                    1e-9 * std::max(largestMagnitude(expected.output), 1.0));
    }
}

TEST(FastTransform, SameBitsForEveryThreadCountAndVectorWidth)
{
    for (std::int32_t n : {1, 2, 3, 13, 100, 1001, 1003}) {
        SCOPED_TRACE(testing::Message() << "N = " << n);
        const std::vector<double> x = samplesFor(n, 7U + static_cast<unsigned>(n));
        const Pair reference = fastPair(x, n, 2, {.threads = 1, .lanes = 1});
        for (const LaneKernel& kernel : laneKernels()) {
            if (!kernel.supported)
                continue;
            for (int threads : {1, 2, 3}) {
                SCOPED_TRACE(testing::Message()
                             << kernel.width << " lanes, " << threads << " threads");
                const Pair p = fastPair(x, n, 2, {.threads = threads, .lanes = kernel.width});
                expectSameBits(p.re, reference.re, "re");
                expectSameBits(p.im, reference.im, "im");
                expectSameBits(p.output, reference.output, "output");
            }
        }
    }
}

// Lines 0..K and the reconstruction from the literal pair's spectrum, computed block by
// block by one kernel alone, whether or not the transform would take it here.
Pair kernelPair(const LaneKernel& kernel, const std::vector<double>& x, const Pair& literal,
                std::int32_t n, double w)
{
    const auto lines = static_cast<std::size_t>(highestLine(n)) + 1;
    Pair p{std::vector<double>(lines), std::vector<double>(lines),
           std::vector<double>(static_cast<std::size_t>(n) + 1)};
    const auto width = static_cast<std::size_t>(kernel.width);
    std::vector<double> re(width), im(width), output(width);
    for (std::size_t first = 0; first < lines; first += width) {
        kernel.forward(x.data(), n, w, static_cast<std::int32_t>(first), re.data(), im.data());
        for (std::size_t lane = 0; lane < width && first + lane < lines; ++lane) {
            p.re[first + lane] = re[lane];
            p.im[first + lane] = im[lane];
        }
    }
    for (std::size_t first = 0; first < p.output.size(); first += width) {
        kernel.inverse(literal.re.data(), literal.im.data(), n, w, static_cast<std::int32_t>(first),
                       output.data());
        for (std::size_t lane = 0; lane < width && first + lane < p.output.size(); ++lane)
            p.output[first + lane] = output[lane];
    }
    return p;
}

std::vector<double> firstOf(const std::vector<double>& values, std::size_t count)
{
    return {values.begin(), values.begin() + static_cast<std::ptrdiff_t>(count)};
}

// The widest kernel of `family` this processor can run.
const LaneKernel& widestRunnable(LaneFamily family)
{
    const LaneKernel* widest = nullptr;
    for (const LaneKernel& kernel : laneKernels())
        if (kernel.runnable && kernel.family == family && (!widest || kernel.width > widest->width))
            widest = &kernel;
    return *widest;
}

TEST(FastTransform, BothFamiliesOfKernelsAgreeWithTheLiteralPair)
{
    // A processor with FMA takes only the FMA family; the plain family, which older
    // processors take, runs here too and is held to the same account.
    for (std::int32_t n : {1, 2, 3, 13, 100, 1001}) {
        SCOPED_TRACE(testing::Message() << "N = " << n);
        const std::vector<double> x = samplesFor(n, 5U + static_cast<unsigned>(n));
        const Pair literal = literalPair(x, n, 1.5);
        // Lines 0..K - 2 are left as computed by the literal pair's own mirror images.
        const auto lines = static_cast<std::size_t>(std::max(highestLine(n) - 1, 0));
        for (LaneFamily family : {LaneFamily::plain, LaneFamily::fma}) {
            const Pair* reference = nullptr;
            Pair first;
            for (const LaneKernel& kernel : laneKernels()) {
                if (!kernel.runnable || kernel.family != family)
                    continue;
                SCOPED_TRACE(testing::Message() << kernel.width << " lanes, "
                                                << (family == LaneFamily::fma ? "FMA" : "plain"));
                const Pair p = kernelPair(kernel, x, literal, n, 1.5);
                expectClose(firstOf(p.re, lines), firstOf(literal.re, lines), "re");
                expectClose(firstOf(p.im, lines), firstOf(literal.im, lines), "im");
                expectClose(p.output, firstOf(literal.output, p.output.size()), "output");
                if (!reference) {
                    first = p;
                    reference = &first;
                    continue;
                }
                expectSameBits(p.re, reference->re, "re");
                expectSameBits(p.im, reference->im, "im");
                expectSameBits(p.output, reference->output, "output");
            }
        }
    }
}

// Over the whole range of N, up to the largest, where k * n reaches 2^48 and the
// literal angle lies furthest from the exact one: the kernels, each family's every
// width, against the literal sums, on signals that are zero but at a few samples (and
// spectra zero but at a few lines). The literal sums then have only those terms (a
// zero term adds nothing), so they cost little at any N, and each term's sine and
// cosine weighs in the comparison unaveraged. Chosen are the last indices, those
// around the first steps and some at random, and the lines (or samples) at the top
// of the range and a block at random.
class FastTransformOverN : public testing::TestWithParam<std::int32_t> {};

// The indices below N that a sparse signal or spectrum of N is non-zero at, ascending.
std::vector<std::int32_t> sparseIndices(std::int32_t n, std::mt19937& random)
{
    std::vector<std::int32_t> indices = {0, 1, 2, 15, 16, 17, 31, 32};
    for (std::int32_t i = 1; i <= 24; ++i)
        indices.push_back(n - i);
    std::uniform_int_distribution<std::int32_t> anyIndex(0, n - 1);
    for (int i = 0; i < 16; ++i)
        indices.push_back(anyIndex(random));
    std::erase_if(indices, [n](std::int32_t i) { return i < 0 || i >= n; });
    std::sort(indices.begin(), indices.end());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    return indices;
}

TEST_P(FastTransformOverN, KernelsHoldTheLiteralPair)
{
    const std::int32_t n = GetParam();
    const double w = 0.5 + (n % 7);
    std::mt19937 random(static_cast<unsigned>(n));
    std::uniform_real_distribution<double> value(-50.0, 50.0);
    const auto size = static_cast<std::size_t>(n) + 1;
    // The signal (and the real parts of the spectrum), and the imaginary parts.
    std::vector<double> x(size), im(size);
    const std::vector<std::int32_t> samples = sparseIndices(n, random);
    for (std::int32_t i : samples) {
        x[static_cast<std::size_t>(i)] = value(random);
        im[static_cast<std::size_t>(i)] = value(random);
    }
    const std::int32_t lines = highestLine(n);

    const auto literalLine = [&](std::int32_t k) {
        double re = 0, imag = 0;
        for (std::int32_t i : samples) {
            const double g = (w / static_cast<double>(n)) * x[static_cast<std::size_t>(i)];
            const double angle = theta(k, i, n);
            re = (g * std::cos(angle)) + re;
            imag = imag - (g * std::sin(angle));
        }
        return std::pair{re, imag};
    };
    const auto literalSample = [&](std::int32_t i) {
        double output = 0;
        for (std::int32_t k : samples) {
            const double angle = theta(k, i, n);
            const auto line = static_cast<std::size_t>(k);
            output =
                (((std::cos(angle) * x[line]) - (std::sin(angle) * im[line])) * (1 / w)) + output;
        }
        return output;
    };

    for (LaneFamily family : {LaneFamily::plain, LaneFamily::fma}) {
        // Each kernel computes the block that ends at line K and the one that ends at
        // sample N; the widest also a block at random.
        std::vector<double> topRe, topIm, topOutput;
        for (const LaneKernel& kernel : laneKernels()) {
            if (!kernel.runnable || kernel.family != family)
                continue;
            SCOPED_TRACE(testing::Message() << "N = " << n << ", " << kernel.width << " lanes, "
                                            << (family == LaneFamily::fma ? "FMA" : "plain"));
            const int width = kernel.width;
            std::vector<double> re(16), imag(16), output(16);
            const auto checkLines = [&](std::int32_t first) {
                kernel.forward(x.data(), n, w, first, re.data(), imag.data());
                std::vector<double> expectedRe, expectedIm, actualRe, actualIm;
                for (int lane = 0; lane < width && first + lane <= lines; ++lane) {
                    const auto [lineRe, lineIm] = literalLine(first + lane);
                    expectedRe.push_back(lineRe);
                    expectedIm.push_back(lineIm);
                    actualRe.push_back(re[static_cast<std::size_t>(lane)]);
                    actualIm.push_back(imag[static_cast<std::size_t>(lane)]);
                }
                const double scale =
                    std::max({largestMagnitude(expectedRe), largestMagnitude(expectedIm), 1e-300});
                for (std::size_t i = 0; i < expectedRe.size(); ++i) {
                    EXPECT_NEAR(actualRe[i], expectedRe[i], 1e-12 * scale) << "line " << first + i;
                    EXPECT_NEAR(actualIm[i], expectedIm[i], 1e-12 * scale) << "line " << first + i;
                }
            };
            const auto checkSamples = [&](std::int32_t first) {
                kernel.inverse(x.data(), im.data(), n, w, first, output.data());
                std::vector<double> expected, actual;
                for (int lane = 0; lane < width && first + lane <= n; ++lane) {
                    expected.push_back(literalSample(first + lane));
                    actual.push_back(output[static_cast<std::size_t>(lane)]);
                }
                const double scale = std::max(largestMagnitude(expected), 1e-300);
                for (std::size_t i = 0; i < expected.size(); ++i)
                    EXPECT_NEAR(actual[i], expected[i], 1e-12 * scale) << "sample " << first + i;
            };

            const std::int32_t topLines = std::max(lines + 1 - width, 0);
            const std::int32_t topSamples = std::max(n + 1 - width, 0);
            checkLines(topLines);
            checkSamples(topSamples);
            // Line K and sample N, the same bits at every width of the family.
            const double lastRe = re[static_cast<std::size_t>(lines - topLines)];
            const double lastIm = imag[static_cast<std::size_t>(lines - topLines)];
            const double lastOutput = output[static_cast<std::size_t>(n - topSamples)];
            if (topRe.empty()) {
                topRe = {lastRe};
                topIm = {lastIm};
                topOutput = {lastOutput};
            } else {
                expectSameBits({lastRe}, topRe, "line K");
                expectSameBits({lastIm}, topIm, "line K");
                expectSameBits({lastOutput}, topOutput, "sample N");
            }
            if (&kernel == &widestRunnable(family)) {
                checkLines(std::uniform_int_distribution<std::int32_t>(0, topLines)(random));
                checkSamples(std::uniform_int_distribution<std::int32_t>(0, topSamples)(random));
            }
        }
    }
}

// N of every size, up to the odd and the even largest.
INSTANTIATE_TEST_SUITE_P(Sizes, FastTransformOverN,
                         testing::Values(1, 2, 3, 17, 33, 1000, 4001, 65536, 1'000'003, 21'474'835,
                                         21'474'836));

// The FMA family on any processor, x86-64 or AArch64, at any width: the fused
// multiply-adds round once everywhere and every sum runs in the same order, so a run
// gives the same numbers on a Raspberry Pi as on a PC. The checksum was written down
// from an x86-64 run (Intel Xeon, 1 to 8 lanes, the same at each); after a change to
// the kernels' arithmetic the test fails and prints the checksum it got, which is to
// be taken from an x86-64 processor with FMA:
//   ./build/tests/computation_tests --gtest_filter='FastTransform.FmaFamily*'
constexpr std::uint64_t fmaFamilyChecksum = 0x74a9c8b8400ee29b;

// FNV-1a, a 64-bit word at a time, over the bits of re, im and output: any one changed
// value changes it, since each step (an exclusive or, a product with an odd number) is
// one to one.
std::uint64_t bitsChecksum(const Pair& p)
{
    std::uint64_t hash = 0xcbf29ce484222325;
    for (const std::vector<double>* values : {&p.re, &p.im, &p.output}) {
        for (double value : *values) {
            hash ^= std::bit_cast<std::uint64_t>(value);
            hash *= 0x100000001b3;
        }
    }
    return hash;
}

TEST(FastTransform, FmaFamilyGivesTheSameBitsOnEveryArchitecture)
{
    // Samples that are exact doubles made by integer arithmetic alone, so that they
    // are the same everywhere.
    const std::int32_t n = 1001;
    std::vector<double> x(static_cast<std::size_t>(n) + 1);
    for (std::size_t i = 0; i < x.size(); ++i)
        x[i] = static_cast<double>(static_cast<int>((i * 7919) % 2001) - 1000) / 16;
    bool tried = false;
    for (const LaneKernel& kernel : laneKernels()) {
        if (!kernel.supported || kernel.family != LaneFamily::fma)
            continue;
        tried = true;
        const std::uint64_t checksum =
            bitsChecksum(fastPair(x, n, 0.75, {.threads = 2, .lanes = kernel.width}));
        EXPECT_EQ(checksum, fmaFamilyChecksum)
            << kernel.width << " lanes: checksum 0x" << std::hex << checksum;
    }
    if (!tried)
        GTEST_SKIP() << "this processor takes the plain family: an x86-64 processor "
                        "without AVX2 and FMA";
}

TEST(FastTransform, MirrorImagesFollowTheLineByLineOrder)
{
    // For odd N with K = (N + 1) / 2, line K - 1 ends up as the mirror of line K, and
    // index N holds line 0.
    const std::int32_t n = 1003;
    const std::vector<double> x = samplesFor(n, 3);
    const Pair p = fastPair(x, n, 2);
    const auto k = static_cast<std::size_t>(highestLine(n));
    EXPECT_EQ(p.re[k - 1], p.re[k]);
    EXPECT_EQ(p.im[k - 1], -p.im[k]);
    EXPECT_EQ(p.re[static_cast<std::size_t>(n)], p.re[0]);
    EXPECT_EQ(p.im[static_cast<std::size_t>(n)], -p.im[0]);
}

TEST(FastTransform, ReportsProgressAndStopsWhenCancelled)
{
    const std::int32_t n = 501;
    const std::vector<double> x = samplesFor(n, 11);
    std::vector<double> re(x.size()), im(x.size()), output(x.size());

    RunControl control;
    control.setTotalWork(highestLine(n) + 1 + n + 1);
    EXPECT_TRUE(fastForwardTransform(x, n, 2, re, im, {.control = &control}));
    EXPECT_TRUE(fastInverseTransform(re, im, n, 2, output, {.control = &control}));
    EXPECT_DOUBLE_EQ(control.doneFraction(), 1.0);

    RunControl cancelled;
    cancelled.cancel();
    std::vector<double> untouched(x.size(), -1.0);
    std::vector<double> re2 = untouched, im2 = untouched, output2 = untouched;
    EXPECT_FALSE(fastForwardTransform(x, n, 2, re2, im2, {.control = &cancelled}));
    EXPECT_FALSE(fastInverseTransform(re, im, n, 2, output2, {.control = &cancelled}));
    EXPECT_EQ(re2, untouched);
    EXPECT_EQ(output2, untouched);
}

}  // namespace
