// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/bandstop.h"
#include "core/computationmodule.h"
#include "core/numberformat.h"
#include "core/signaltype.h"
#include "core/transform.h"
#include "core/twopi.h"
#include "randomsamples.h"
#include "recordingplots.h"
#include "tests/testsupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <complex>
#include <cstdint>
#include <functional>
#include <numbers>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

using namespace testsupport::entry;
using testsupport::entriesWith;
using testsupport::EntryText;
using testsupport::lineSet;
using testsupport::Session;
using testsupport::trueSine;

constexpr std::string_view sine = sineSignalItem;
constexpr std::string_view pulse = pulseSignalItem;

std::size_t size(std::int32_t n)
{
    return static_cast<std::size_t>(n);
}

// ---- K = R(N / 2)

TEST(HighestLine, HalfTheCountTiesToEven)
{
    const std::pair<std::int32_t, std::int32_t> cases[] = {
        {1, 0}, {2, 1}, {3, 2}, {5, 2}, {7, 4}, {1000, 500}, {1001, 500}, {1003, 502}};
    for (auto [count, line] : cases)
        EXPECT_EQ(highestLine(count), line) << "N = " << count;
}

// ---- the transform pair on random samples, against a direct DFT in extended precision
// with the same phase constant, mirrored the same way

class TransformPair : public testing::TestWithParam<std::pair<std::int32_t, double>> {};

TEST_P(TransformPair, MatchesExtendedPrecisionSums)
{
    const auto [count, w] = GetParam();
    std::vector<double> x = randomSamples(size(count) + 1, static_cast<unsigned>(count), 30.0);
    x[size(count)] = 1e6;  // sample N is not part of the sum

    std::vector<std::complex<long double>> expected(size(count) + 1);
    const std::int32_t lastLine = highestLine(count);
    for (std::int32_t k = 0; k <= lastLine; ++k) {
        std::complex<long double> sum = 0;
        for (std::int32_t n = 0; n < count; ++n)
            sum += static_cast<long double>(x[size(n)]) *
                   std::polar(1.0L, -(static_cast<long double>(k) * twoPi * n / count));
        expected[size(k)] = sum * static_cast<long double>(w) / static_cast<long double>(count);
        expected[size(count - k)] = std::conj(expected[size(k)]);
    }
    long double largest = 0;
    for (const auto& v : expected)
        largest = std::max(largest, std::abs(v));
    const double tolerance = 1e-12 * static_cast<double>(largest);

    std::vector<double> re(size(count) + 1, 99.0), im(size(count) + 1, 99.0);
    forwardTransform(x, count, w, re, im);
    for (std::size_t k = 0; k <= size(count); ++k) {
        EXPECT_NEAR(re[k], static_cast<double>(expected[k].real()), tolerance) << "line " << k;
        EXPECT_NEAR(im[k], static_cast<double>(expected[k].imag()), tolerance) << "line " << k;
    }

    // S(k) = (2 / W) |X(k)| up to K; the lines above are not touched.
    std::vector<double> magnitude(size(count) + 1, 7.5);
    amplitudeSpectrum(re, im, count, w, magnitude);
    for (std::size_t k = 0; k <= size(count); ++k) {
        const double s =
            k <= size(lastLine) ? static_cast<double>(2.0L / w * std::abs(expected[k])) : 7.5;
        EXPECT_NEAR(magnitude[k], s, 2 / w * tolerance) << "line " << k;
    }

    // The inverse gives the samples back; at sample N, t = W, the rebuilt signal has come
    // round to sample 0 again (the input's own sample N plays no part in the spectrum).
    // The rounding of N^2 large angles leaves errors of some 1e-10 on these full-band
    // samples.
    std::vector<double> output(size(count) + 1, -123.0);
    inverseTransform(re, im, count, w, output);
    for (std::size_t n = 0; n < size(count); ++n)
        EXPECT_NEAR(output[n], x[n], 1e-9) << "sample " << n;
    EXPECT_NEAR(output[size(count)], x[0], 1e-9) << "sample N";
}

INSTANTIATE_TEST_SUITE_P(Sizes, TransformPair,
                         testing::Values(std::pair{1, 2.0}, std::pair{2, 0.5}, std::pair{3, 1.0},
                                         std::pair{64, 2.0}, std::pair{255, 0.25},
                                         std::pair{257, 3.0}, std::pair{1000, 2.0}));

// ---- which lines the band stop removes

struct BandCase {
    const char* name;
    std::int32_t sampleCount;
    double windowTime, low, high;
    std::set<std::int32_t> lines;
};

void PrintTo(const BandCase& c, std::ostream* os)
{
    *os << c.name;
}

class StopBand : public testing::TestWithParam<BandCase> {};

TEST_P(StopBand, LinesOfTheBandAndItsMirror)
{
    const BandCase& c = GetParam();
    const std::array<LineRange, 2> ranges =
        stopBandLines(c.sampleCount, c.windowTime, c.low, c.high);
    std::set<std::int32_t> lines;
    for (const LineRange& r : ranges) {
        if (r.first > r.last)
            continue;
        EXPECT_GE(r.first, 0);
        EXPECT_LE(r.last, c.sampleCount);
        for (std::int32_t k = std::max(r.first, 0); k <= std::min(r.last, c.sampleCount); ++k)
            lines.insert(k);
    }
    EXPECT_EQ(lines, c.lines);

    // applyBandStop zeroes those lines and nothing else.
    std::vector<double> re(size(c.sampleCount) + 1, 1.0), im(size(c.sampleCount) + 1, -1.0);
    applyBandStop(ranges, re, im);
    for (std::int32_t k = 0; k <= c.sampleCount; ++k) {
        const double expected = c.lines.count(k) != 0 ? 0.0 : 1.0;
        EXPECT_EQ(re[size(k)], expected) << k;
        EXPECT_EQ(im[size(k)], -expected) << k;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, StopBand,
    testing::Values(
        BandCase{"DefaultBand", 1000, 2, 49, 51, lineSet({{98, 102}, {898, 902}})},
        BandCase{"SingleLine", 1000, 2, 50, 50, {100, 900}},
        BandCase{"DcLine", 1000, 2, 0, 0, {0, 1000}},
        // R(99.5) = R(100.5) = 100, R(899.5) = R(900.5) = 900.
        BandCase{"HalfLineEdges", 1000, 2, 49.75, 50.25, {100, 900}},
        // The mirror is formed from N - fs W, not reflected from the band: R(900.5) = 900.
        BandCase{"OddCountHalfLine", 1001, 2, 50.25, 50.25, {100, 900}},
        BandCase{"NegativeLowEdge", 1000, 2, -10, 51, lineSet({{0, 102}, {898, 1000}})},
        BandCase{"AllNegative", 1000, 2, -100, -50, {}},
        BandCase{"HugeHighEdge", 1000, 2, 0, 1e12, lineSet({{0, 1000}})},
        BandCase{"OneSample", 1, 0.001, 0, 0, {0, 1}}),
    testsupport::ByName{});

// ---- the filter inside a run: the lines removed compared with the same run unfiltered,
// every other line left bit for bit as it was

struct FilterCase {
    const char* name;
    std::vector<EntryText> entries;
    std::string_view signal;
    bool filterOn, filterOff;
    std::set<std::int32_t> removed;
};

void PrintTo(const FilterCase& c, std::ostream* os)
{
    *os << c.name;
}

class FilterInRun : public testing::TestWithParam<FilterCase> {};

TEST_P(FilterInRun, RemovesExactlyTheBand)
{
    const FilterCase& c = GetParam();
    Session unfiltered, filtered;
    ASSERT_EQ(unfiltered.run(entriesWith(c.entries), c.signal, false, true), std::nullopt);
    ASSERT_EQ(filtered.run(entriesWith(c.entries), c.signal, c.filterOn, c.filterOff),
              std::nullopt);

    const SignalArrays& u = unfiltered.module.arrays();
    const SignalArrays& f = filtered.module.arrays();
    ASSERT_EQ(f.spectrumRe.size(), u.spectrumRe.size());
    EXPECT_EQ(testsupport::removedLines(u, f), c.removed);
    const std::size_t lastLine = size(highestLine(filtered.module.parameters().sampleCount));
    for (std::size_t k = 0; k < f.spectrumRe.size(); ++k) {
        if (c.removed.count(static_cast<std::int32_t>(k)) != 0) {
            EXPECT_TRUE(k > lastLine || f.spectrumMag[k] == 0.0) << "line " << k;
            continue;
        }
        EXPECT_EQ(f.spectrumRe[k], u.spectrumRe[k]) << "line " << k;
        EXPECT_EQ(f.spectrumIm[k], u.spectrumIm[k]) << "line " << k;
        EXPECT_EQ(f.spectrumMag[k], u.spectrumMag[k]) << "line " << k;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, FilterInRun,
    testing::Values(
        FilterCase{"DefaultBand", {}, sine, true, false, lineSet({{98, 102}, {898, 902}})},
        FilterCase{"PulseDefaultBand", {}, pulse, true, false, lineSet({{98, 102}, {898, 902}})},
        FilterCase{"SingleLine", {{fi, "50"}, {fs, "50"}}, sine, true, false, {100, 900}},
        FilterCase{"DcLine", {{fi, "0"}, {fs, "0"}}, sine, true, false, {0, 1000}},
        FilterCase{
            "NegativeLowEdge", {{fi, "-10"}}, sine, true, false, lineSet({{0, 102}, {898, 1000}})},
        FilterCase{"OddCountHalfLine",
                   {{N, "1001"}, {fi, "50.25"}, {fs, "50.25"}},
                   sine,
                   true,
                   false,
                   {100, 900}},
        FilterCase{"FilterOff", {}, sine, false, true, {}},
        FilterCase{"NeitherOption", {}, sine, false, false, {}},
        // "Filtro OFF" is looked at first.
        FilterCase{"BothOptions", {}, sine, true, true, {}}),
    testsupport::ByName{});

// ---- values of the default runs

TEST(SpectrumRun, SineUnfiltered)
{
    Session s;
    ASSERT_EQ(s.run({}, sine, false, true), std::nullopt);
    const SignalArrays& a = s.module.arrays();
    // Line k is k / W hertz: DC (twice the mean), 1 Hz at line 2, 50 Hz at line 100.
    for (std::size_t k = 0; k <= 500; ++k) {
        const double expected = k == 0 ? 50.0 : k == 2 ? 25.0 : k == 100 ? 4.0 : 0.0;
        EXPECT_NEAR(a.spectrumMag[k], expected, 1e-9) << "line " << k;
    }
    for (std::size_t k = 501; k <= 1000; ++k)
        EXPECT_EQ(a.spectrumMag[k], 0.0) << "line " << k;
    // Up to and including t = W, where the sine has come round to its value at 0.
    for (std::size_t n = 0; n <= 1000; ++n)
        EXPECT_NEAR(a.outputSignal[n], a.inputSignal[n], 1e-9) << n;
    EXPECT_NEAR(s.module.dcComponent(), 25.0, 1e-9);
    EXPECT_EQ(formatScientific2(s.module.dcComponent()), "2.50E+01");
}

TEST(SpectrumRun, DcLineRemoved)
{
    Session s;
    ASSERT_EQ(s.run(entriesWith({{fi, "0"}, {fs, "0"}}), sine, true, false), std::nullopt);
    const SignalArrays& a = s.module.arrays();
    EXPECT_EQ(a.spectrumMag[0], 0.0);
    EXPECT_EQ(s.module.dcComponent(), 0.0);
    EXPECT_EQ(formatScientific2(s.module.dcComponent()), "0.00E+00");
    for (std::size_t n = 0; n < 1000; ++n)
        EXPECT_NEAR(a.outputSignal[n], a.inputSignal[n] - 25.0, 1e-9) << n;
}

TEST(SpectrumRun, PulseUnfiltered)
{
    Session s;
    ASSERT_EQ(s.run({}, pulse, false, true), std::nullopt);
    const SignalArrays& a = s.module.arrays();
    // The disturbance plus the 50th harmonic of the 1 Hz pulse train.
    EXPECT_NEAR(a.spectrumMag[100], 4.0012498, 5e-8);
    EXPECT_NEAR(a.spectrumMag[0], 25.1, 1e-9);
    EXPECT_NEAR(s.module.dcComponent(), 12.55, 1e-9);
    EXPECT_EQ(formatScientific2(s.module.dcComponent()), "1.26E+01");
}

class OddCount : public testing::TestWithParam<std::pair<std::int32_t, std::size_t>> {};

TEST_P(OddCount, MagnitudesUpToKOnly)
{
    const auto [count, lastLine] = GetParam();
    Session s;
    const std::string countText = std::to_string(count);
    ASSERT_EQ(s.run(entriesWith({{N, countText.c_str()}}), sine, false, true), std::nullopt);
    const SignalArrays& a = s.module.arrays();
    ASSERT_EQ(a.spectrumMag.size(), size(count) + 1);
    for (std::size_t k = 0; k <= lastLine; ++k) {
        const double expected =
            2.0 / 2.0 *
            std::sqrt(a.spectrumIm[k] * a.spectrumIm[k] + a.spectrumRe[k] * a.spectrumRe[k]);
        EXPECT_NEAR(a.spectrumMag[k], expected, 1e-12) << "line " << k;
    }
    EXPECT_NEAR(a.spectrumMag[2], 25.0, 1e-9);
    EXPECT_NEAR(a.spectrumMag[100], 4.0, 1e-9);
    EXPECT_GT(a.spectrumMag[lastLine], 0.0);
    for (std::size_t k = lastLine + 1; k <= size(count); ++k)
        EXPECT_EQ(a.spectrumMag[k], 0.0) << "line " << k;
}

INSTANTIATE_TEST_SUITE_P(Counts, OddCount,
                         testing::Values(std::pair{std::int32_t{1001}, std::size_t{500}},
                                         std::pair{std::int32_t{1003}, std::size_t{502}}));

}  // namespace
