// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: the fast transform pair against the literal one, on sample arrays
// and windows nobody chose. The first two bytes give N (1..300), the next eight W, and
// every further eight one sample; samples the input does not reach are 0. Values
// outside what the checks of a request let through (not finite, beyond 4E+15 for a
// sample, outside 1E-15..1E+15 for W) are brought into it by powers of two, so
// subnormals, zeros and both extremes all occur.
//
// The fast pair must lie within 1e-12 of the largest magnitude of the literal pair's
// results, and give the same bits for every vector width the processor has and for 1,
// 2 and 3 threads.

#include "core/fasttransform.h"
#include "core/lanekernels.h"
#include "core/transform.h"
#include "fuzzcheck.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

namespace {

constexpr std::int32_t maxSampleCount = 300;

double takeDouble(const std::uint8_t*& data, std::size_t& size)
{
    double value = 0;
    if (size >= sizeof value) {
        std::memcpy(&value, data, sizeof value);
        data += sizeof value;
        size -= sizeof value;
    }
    return std::isfinite(value) ? value : 0.0;
}

double sampleValue(double value)
{
    while (std::fabs(value) > 4e15)
        value *= 0x1p-64;
    return value;
}

double windowValue(double value)
{
    if (value == 0)
        return 1;
    while (std::fabs(value) > 1e15)
        value *= 0x1p-50;
    while (std::fabs(value) < 1e-15)
        value *= 0x1p50;
    return value;
}

struct Pair {
    std::vector<double> re, im, output;

    bool operator==(const Pair& other) const
    {
        const auto bits = [](const std::vector<double>& a, const std::vector<double>& b) {
            return a.size() == b.size() &&
                   std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0;
        };
        return bits(re, other.re) && bits(im, other.im) && bits(output, other.output);
    }
};

Pair literalPair(const std::vector<double>& x, std::int32_t n, double w)
{
    Pair p{std::vector<double>(x.size()), std::vector<double>(x.size()),
           std::vector<double>(x.size())};
    forwardTransform(x, n, w, p.re, p.im);
    inverseTransform(p.re, p.im, n, w, p.output);
    return p;
}

Pair fastPair(const std::vector<double>& x, std::int32_t n, double w,
              const TransformOptions& options)
{
    Pair p{std::vector<double>(x.size()), std::vector<double>(x.size()),
           std::vector<double>(x.size())};
    require(fastForwardTransform(x, n, w, p.re, p.im, options) &&
                fastInverseTransform(p.re, p.im, n, w, p.output, options),
            "a fast transform stopped without being asked to");
    return p;
}

double largestMagnitude(const std::vector<double>& values)
{
    double largest = 0;
    for (double v : values)
        largest = std::max(largest, std::fabs(v));
    return largest;
}

// Below the normal range each rounding may be off by a whole subnormal step: N of them
// for a sum of N terms.
double subnormalFloor(std::size_t terms)
{
    return static_cast<double>(terms) * std::numeric_limits<double>::denorm_min();
}

// Within 1e-12 of `scale`, the largest magnitude of the literal results, or of `floor`,
// what rounding below the normal range may leave.
bool close(const std::vector<double>& actual, const std::vector<double>& expected, double scale,
           double floor)
{
    const double tolerance = 1e-12 * scale + floor;
    for (std::size_t i = 0; i < expected.size(); ++i)
        if (!(std::fabs(actual[i] - expected[i]) <= tolerance))
            return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const std::int32_t n = 1 + (data[0] | data[1] << 8) % maxSampleCount;
    data += 2;
    size -= 2;
    const double w = windowValue(takeDouble(data, size));
    std::vector<double> x(static_cast<std::size_t>(n) + 1);
    for (double& sample : x)
        sample = sampleValue(takeDouble(data, size));

    const Pair literal = literalPair(x, n, w);
    const Pair fast = fastPair(x, n, w, {});
    // The spectrum's scale is that of its lines, real and imaginary parts together: for
    // a nearly constant signal every imaginary part is rounding noise, which the two
    // pairs need not agree on to 1e-12 of itself.
    const double spectrum = std::max(largestMagnitude(literal.re), largestMagnitude(literal.im));
    const double lineFloor = subnormalFloor(x.size());
    require(close(fast.re, literal.re, spectrum, lineFloor) &&
                close(fast.im, literal.im, spectrum, lineFloor),
            "the fast transform strayed from the literal one");
    // A spectrum below the normal range carries its floor into the reconstruction, whose
    // N lines of real and imaginary parts are each scaled by 1 / W: for a tiny W that
    // floor dwarfs 1e-12 of samples that are themselves far below it.
    const double outputFloor = subnormalFloor(x.size()) +
                               2 * static_cast<double>(x.size()) * lineFloor / std::fabs(w);
    require(close(fast.output, literal.output, largestMagnitude(literal.output), outputFloor),
            "the fast reconstruction strayed from the literal one");

    // Every width on one thread, and the widest on two and three: the threads only
    // share out whole lines, so together these cover every combination.
    for (const LaneKernel& kernel : laneKernels())
        if (kernel.supported)
            require(fastPair(x, n, w, {.threads = 1, .lanes = kernel.width}) == fast,
                    "the fast pair's bits depend on the vector width");
    for (int threads : {2, 3})
        require(fastPair(x, n, w, {.threads = threads}) == fast,
                "the fast pair's bits depend on the number of threads");
    return 0;
}
