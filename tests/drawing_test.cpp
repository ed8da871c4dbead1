// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/computationmodule.h"
#include "core/peaks.h"
#include "core/signaltype.h"
#include "plot/plotdrawing.h"
#include "recordingplots.h"
#include "recordingsurface.h"
#include "tests/testsupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <tuple>
#include <vector>

namespace {

using Kind = SurfaceCall::Kind;
using namespace testsupport::entry;
using testsupport::entriesWith;
using testsupport::largestMagnitude;
using testsupport::Session;

void expectLine(const SurfaceCall& call, float x1, float y1, float x2, float y2,
                std::optional<Colour> colour, const std::string& what)
{
    EXPECT_EQ(call.kind, Kind::line) << what;
    EXPECT_FLOAT_EQ(call.x1, x1) << what;
    EXPECT_FLOAT_EQ(call.y1, y1) << what;
    EXPECT_FLOAT_EQ(call.x2, x2) << what;
    EXPECT_FLOAT_EQ(call.y2, y2) << what;
    EXPECT_EQ(call.colour, colour) << what;
}

// ---- single precision for the surface

TEST(ToSingle, RoundsAndHoldsWithinTheFloatRange)
{
    EXPECT_EQ(toSingle(0.1), 0.1f);
    EXPECT_EQ(toSingle(-2.5), -2.5f);
    EXPECT_EQ(toSingle(1e300), FLT_MAX);
    EXPECT_EQ(toSingle(-1e300), -FLT_MAX);
    EXPECT_EQ(toSingle(3.4028235e38), FLT_MAX);
    EXPECT_EQ(toSingle(std::numeric_limits<double>::infinity()), FLT_MAX);
}

// ---- peak search: starts from the first element as stored

struct PeakCase {
    std::vector<double> values;
    long long first, last;
    double expected;
};

void PrintTo(const PeakCase& c, std::ostream* os)
{
    *os << c.values.size() << " values, " << c.first << ".." << c.last;
}

class FindPeak : public testing::TestWithParam<PeakCase> {};

TEST_P(FindPeak, LargestMagnitude)
{
    const PeakCase& c = GetParam();
    EXPECT_EQ(findPeak(c.values, c.first, c.last), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FindPeak,
    testing::Values(PeakCase{{-3, 1, 2}, 0, 2, 3}, PeakCase{{-60, 40, 10}, 0, 2, 60},
                    PeakCase{{4, -9, 2}, 0, 2, 9}, PeakCase{{5, -5}, 0, 1, 5},
                    PeakCase{{-5, 5}, 0, 1, 5}, PeakCase{{0, 0, 0}, 0, 2, 0},
                    // A sub-range only.
                    PeakCase{{100, -3, 2, 100}, 1, 2, 3},
                    // The largest at the last index searched: a 0.75 Hz sine with N = 4,
                    // W = 1 ends on its trough at n = N; the spectrum's tallest line is
                    // its last, N - 1, with the DC line and index N taller and not read.
                    PeakCase{{0, 23.1, 17.7, -9.6, -25}, 0, 4, 25},
                    PeakCase{{50, 1, 2, 4, 9}, 1, 3, 4},
                    // last < first: the first element as stored, sign and all.
                    PeakCase{{1, -5}, 1, 0, -5}, PeakCase{{-3}, 0, -1, -3},
                    // Indices past the end are not read; nothing at `first` gives 0.
                    PeakCase{{1, -7, 3}, 0, 10, 7}, PeakCase{{1, 2}, 5, 9, 0},
                    PeakCase{{}, 0, 5, 0}, PeakCase{{}, 1, 0, 0}));

// ---- the drawing steps, one at a time (tick marks and zero lines are checked in the
// runs below)

// 20 marks on the left edge from y = 100 down to 5, 5 on the bottom edge a quarter of
// the window apart, in the foreground colour.
void expectTickMarks(const std::vector<SurfaceCall>& calls, std::size_t from)
{
    ASSERT_GE(calls.size(), from + 25);
    for (int i = 0; i < 20; ++i) {
        const auto y = static_cast<float>(100 - 5 * i);
        expectLine(calls[from + static_cast<std::size_t>(i)], 0, y, 0.2f, y, std::nullopt,
                   "left tick " + std::to_string(i));
    }
    for (int i = 0; i < 5; ++i) {
        const auto x = static_cast<float>(25 * i);
        expectLine(calls[from + 20 + static_cast<std::size_t>(i)], x, 0, x, 0.5f, std::nullopt,
                   "bottom tick " + std::to_string(i));
    }
}

void expectZeroLines(const std::vector<SurfaceCall>& calls, std::size_t from)
{
    ASSERT_GE(calls.size(), from + 2);
    expectLine(calls[from], 0, 75, 100, 75, black, "V(t) axis");
    expectLine(calls[from + 1], 0, 25, 100, 25, black, "Vr(t) axis");
}

struct CurveCase {
    const char* name;
    std::vector<double> input, output;
    double inputPeak, outputPeak;
    std::vector<float> inputY, outputY;  // where each sample lands
};

void PrintTo(const CurveCase& c, std::ostream* os)
{
    *os << c.name;
}

class Curves : public testing::TestWithParam<CurveCase> {};

TEST_P(Curves, BlackThenRedSegmentPerSample)
{
    const CurveCase& c = GetParam();
    const auto count = static_cast<std::int32_t>(c.input.size() - 1);
    RecordingSurface surface;
    drawCurves(surface, c.input, c.output, count, c.inputPeak, c.outputPeak);
    const std::vector<SurfaceCall>& calls = surface.calls();
    ASSERT_EQ(calls.size(), 2 * c.input.size() - 2);
    // Up to thousands of samples, all of V(t) comes first, then all of Vr(t).
    const auto n = static_cast<std::size_t>(count);
    for (std::size_t i = 0; i + 1 < c.input.size(); ++i) {
        const auto x1 = static_cast<float>(100.0 * static_cast<double>(i) / count);
        const auto x2 = static_cast<float>(100.0 * static_cast<double>(i + 1) / count);
        expectLine(calls[i], x1, c.inputY[i], x2, c.inputY[i + 1], black,
                   "V segment " + std::to_string(i));
        expectLine(calls[n + i], x1, c.outputY[i], x2, c.outputY[i + 1], red,
                   "Vr segment " + std::to_string(i));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, Curves,
    testing::Values(
        // The sample of largest magnitude touches its band's edge (55 or 95, 5 or 45).
        CurveCase{"NegativePeak",
                  {-60, 40, 0, 10, 20},
                  {4, -2, 3, -4, 0},
                  60,
                  4,
                  {55, 75 + 40.0f / 3, 75, 75 + 10.0f / 3, 75 + 20.0f / 3},
                  {45, 15, 40, 5, 25}},
        // A peak of 0: the curve lies flat on its zero line.
        CurveCase{"ZeroPeaks", {0, 0, 0}, {0, 0, 0}, 0, 0, {75, 75, 75}, {25, 25, 25}},
        CurveCase{"OneSample", {2, -1}, {-3, 0}, 2, 3, {95, 65}, {5, 25}}),
    testsupport::ByName{});

struct SpectrumLinesCase {
    const char* name;
    std::int32_t sampleCount;
    double scale, peak;
    std::size_t lines;
};

void PrintTo(const SpectrumLinesCase& c, std::ostream* os)
{
    *os << c.name;
}

class SpectrumLines : public testing::TestWithParam<SpectrumLinesCase> {};

TEST_P(SpectrumLines, OneRedLinePerComponentUpToHalfN)
{
    const SpectrumLinesCase& c = GetParam();
    std::vector<double> magnitude(static_cast<std::size_t>(c.sampleCount) + 1);
    for (std::size_t k = 0; k < magnitude.size(); ++k)
        magnitude[k] = 0.5 * static_cast<double>(k) + 1;
    RecordingSurface surface;
    drawSpectrumLines(surface, magnitude, c.sampleCount, c.scale, c.peak);
    const std::vector<SurfaceCall>& calls = surface.calls();
    ASSERT_EQ(calls.size(), c.lines);
    for (std::size_t i = 0; i < calls.size(); ++i) {
        const double k = static_cast<double>(i + 1);
        // Line k stands at 200 k scale / N and is S(k) 90 / peak tall.
        const float x = toSingle(200.0 * k * c.scale / c.sampleCount);
        const float height = toSingle(magnitude[i + 1] * 90 / c.peak);
        expectLine(calls[i], x, 0, x, height, red, "line " + std::to_string(i + 1));
        EXPECT_TRUE(std::isfinite(calls[i].x1));
    }
}

INSTANTIATE_TEST_SUITE_P(Table, SpectrumLines,
                         testing::Values(SpectrumLinesCase{"EvenCount", 8, 1.5, 3.0, 4},
                                         SpectrumLinesCase{"OddCountRoundsDown", 5, 1.5, 3.0, 2},
                                         SpectrumLinesCase{"OddCountRoundsUp", 7, 0.25, 3.0, 4},
                                         SpectrumLinesCase{"OneSample", 1, 1.0, 3.0, 0},
                                         SpectrumLinesCase{"ZeroPeak", 8, 1.5, 0.0, 0},
                                         SpectrumLinesCase{"FarOffTheRightEdge", 8, 1e300, 3.0, 4}),
                         testsupport::ByName{});

// ---- the drawing of a whole run

TEST(RunDrawing, CallOrderAcrossSurfaces)
{
    // The second of two runs: every run starts from cleared plots.
    Session s;
    ASSERT_EQ(s.run(entriesWith({{N, "220"}})), std::nullopt);  // K = 110
    s.plots.forgetCalls();
    ASSERT_EQ(s.run(entriesWith({{N, "220"}}), pulseSignalItem), std::nullopt);

    std::vector<std::string> expected{"waveform:clear", "spectrum:clear", "show", "spectrum:scale",
                                      "waveform:scale"};
    expected.insert(expected.end(), 25 + 2 * 220, "waveform:line");
    expected.insert(expected.end(), 110, "spectrum:line");
    expected.insert(expected.end(), 2, "waveform:line");
    EXPECT_EQ(s.plots.journal, expected);
    EXPECT_EQ(s.plots.waveformWindowShows, 1);

    const std::vector<SurfaceCall>& w = s.plots.waveform.calls();
    ASSERT_EQ(w.size(), 2u + 25 + 440 + 2);
    for (const RecordingSurface* surface : {&s.plots.waveform, &s.plots.spectrum}) {
        const SurfaceCall& scale = surface->calls()[1];
        EXPECT_EQ(scale.kind, Kind::scale);
        EXPECT_EQ(std::tuple(scale.x1, scale.y1, scale.x2, scale.y2),
                  std::tuple(0.f, 100.f, 100.f, 0.f));
    }
    expectTickMarks(w, 2);
    for (std::size_t i = 0; i < 440; ++i)
        ASSERT_EQ(w[27 + i].colour, i < 220 ? black : red) << "curve segment " << i;
    EXPECT_FLOAT_EQ(w[27].x1, 0);
    // The pulse train leaves sample N at 0, so V(t) ends on its zero line; Vr(t) is
    // rebuilt at t = W too, where it has come round to its value at t = 0, with no drop
    // to its zero line at the right edge.
    expectLine(w[27 + 219], w[27 + 219].x1, w[27 + 219].y1, 100, 75, black, "last V segment");
    expectLine(w[27 + 439], w[27 + 439].x1, w[27 + 439].y1, 100, w[27 + 439].y2, red,
               "last Vr segment");
    EXPECT_NEAR(w[27 + 439].y2, w[27 + 220].y1, 1e-4);
    EXPECT_GT(std::fabs(w[27 + 439].y2 - 25), 1);
    expectZeroLines(w, 27 + 440);
    for (const SurfaceCall& line : s.plots.spectrum.lines())
        EXPECT_EQ(line.colour, red);
}

// A plot drawn again at a new size or zoom makes the picture it made with the run, and
// reads and draws nothing of the other plot: the spectrum's redraw is given a run
// without its waveform samples, which it must not touch.
TEST(RunDrawing, EachPlotRedrawsOnlyItself)
{
    Session s;
    ASSERT_EQ(s.run(entriesWith({{N, "220"}})), std::nullopt);
    CompletedRun spectrumOnly = *s.module.completedRun();
    spectrumOnly.arrays.inputSignal = {};
    spectrumOnly.arrays.outputSignal = {};
    const std::tuple<RunPlot, const CompletedRun*, const RecordingSurface*> plots[] = {
        {RunPlot::waveform, s.module.completedRun().get(), &s.plots.waveform},
        {RunPlot::spectrum, &spectrumOnly, &s.plots.spectrum},
    };
    for (const auto& [plot, run, drawn] : plots) {
        RecordingSurface again;
        drawRunPlot(*run, plot, again);
        // What the run drew after clearing the plot.
        const std::vector<SurfaceCall> expected(drawn->calls().begin() + 1, drawn->calls().end());
        ASSERT_EQ(again.calls().size(), expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i) {
            const SurfaceCall& a = again.calls()[i];
            EXPECT_EQ(std::tuple(a.kind, a.x1, a.y1, a.x2, a.y2, a.colour),
                      std::tuple(expected[i].kind, expected[i].x1, expected[i].y1, expected[i].x2,
                                 expected[i].y2, expected[i].colour))
                << "call " << i;
        }
    }
}

TEST(RunDrawing, DefaultSpectrumUnfiltered)
{
    Session s;
    ASSERT_EQ(s.run({}, sineSignalItem, false, true), std::nullopt);
    const std::vector<SurfaceCall> lines = s.plots.spectrum.lines();
    ASSERT_EQ(lines.size(), 500u);
    // x = 200 k / 285.6: 1 Hz (k = 2) at 1.40 and as tall as any line, 50 Hz (k = 100) at
    // 70.03 and 4 / 25 of that; from k = 143 on beyond the right edge.
    EXPECT_NEAR(lines[1].x1, 400 / 285.6, 1e-5);
    EXPECT_FLOAT_EQ(lines[1].y2, 90);
    EXPECT_NEAR(lines[99].x1, 20000 / 285.6, 1e-4);
    EXPECT_NEAR(lines[99].y2, 14.4, 1e-4);
    EXPECT_LT(lines[141].x1, 100);
    EXPECT_GT(lines[142].x1, 100);
    for (const SurfaceCall& line : lines) {
        EXPECT_EQ(line.y1, 0);
        EXPECT_LE(line.y2, lines[1].y2);
    }
}

TEST(RunDrawing, SingleSample)
{
    Session s;
    ASSERT_EQ(s.run(entriesWith({{N, "1"}, {W, "0.001"}})), std::nullopt);  // L = 495
    const std::vector<SurfaceCall> w = s.plots.waveform.lines();
    ASSERT_EQ(w.size(), 25u + 2 + 2);
    EXPECT_EQ(w[25].colour, black);
    EXPECT_EQ(w[26].colour, red);
    for (const SurfaceCall& segment : {w[25], w[26]}) {
        EXPECT_FLOAT_EQ(segment.x1, 0);
        EXPECT_FLOAT_EQ(segment.x2, 100);
    }
    EXPECT_TRUE(s.plots.spectrum.lines().empty());
    EXPECT_EQ(s.module.spectrumPeak(), 0.0);
}

TEST(RunDrawing, AllZeroPulseTrainDrawsFlatCurves)
{
    Session s;
    // No whole period in the window.
    ASSERT_EQ(s.run(entriesWith({{N, "220"}, {fSignal, "0.2"}}), pulseSignalItem), std::nullopt);
    EXPECT_EQ(s.module.inputPeak(), 0.0);
    EXPECT_EQ(s.module.outputPeak(), 0.0);
    EXPECT_EQ(s.module.spectrumPeak(), 0.0);
    const std::vector<SurfaceCall> w = s.plots.waveform.lines();
    ASSERT_EQ(w.size(), 25u + 440 + 2);
    expectTickMarks(w, 0);
    for (std::size_t i = 0; i < 440; ++i) {
        const float zero = i < 220 ? 75.f : 25.f;
        ASSERT_EQ(w[25 + i].y1, zero) << i;
        ASSERT_EQ(w[25 + i].y2, zero) << i;
    }
    expectZeroLines(w, 25 + 440);
    EXPECT_TRUE(s.plots.spectrum.lines().empty());
}

// ---- the module's peak searches

TEST(ModulePeaks, NegativeLargestSampleGivesPositivePeak)
{
    Session s;
    ASSERT_EQ(s.run(entriesWith({{N, "220"}, {offset, "-40"}})), std::nullopt);
    const SignalArrays& a = s.module.arrays();
    ASSERT_LT(*std::min_element(a.inputSignal.begin(), a.inputSignal.end()), -60.0);
    EXPECT_EQ(s.module.inputPeak(), largestMagnitude(a.inputSignal));
    EXPECT_EQ(s.module.outputPeak(), largestMagnitude(a.outputSignal));
    EXPECT_EQ(s.module.spectrumPeak(), largestMagnitude(std::span(a.spectrumMag).subspan(1, 219)));
    // The lowest sample touches the bottom of the V(t) band.
    const std::vector<SurfaceCall> w = s.plots.waveform.lines();
    ASSERT_EQ(w.size(), 25u + 440 + 2);
    float lowest = 100;
    for (std::size_t i = 25; i < 25 + 220; ++i)
        lowest = std::min(lowest, w[i].y1);
    EXPECT_FLOAT_EQ(lowest, 55);
}

class PeaksAfterRefusal : public testing::TestWithParam<const char*> {};

TEST_P(PeaksAfterRefusal, SearchTheCurrentCountWithinTheArrays)
{
    Session s;
    ASSERT_EQ(s.run(entriesWith({{N, "220"}})), std::nullopt);
    // A refused request still stores its N.
    ASSERT_TRUE(s.run(entriesWith({{N, GetParam()}, {fi, "51"}, {fs, "49"}})).has_value());
    const std::int32_t count = s.module.parameters().sampleCount;
    ASSERT_EQ(std::to_string(count), GetParam());

    const SignalArrays& a = s.module.arrays();
    const std::size_t end = std::min<std::size_t>(static_cast<std::size_t>(count), 220);
    EXPECT_EQ(findInputPeak(a, count), largestMagnitude(std::span(a.inputSignal).first(end + 1)));
    EXPECT_EQ(findOutputPeak(a, count), largestMagnitude(std::span(a.outputSignal).first(end + 1)));
    const std::size_t lastLine = std::min<std::size_t>(static_cast<std::size_t>(count) - 1, 220);
    EXPECT_EQ(findSpectrumPeak(a, count),
              largestMagnitude(std::span(a.spectrumMag).subspan(1, lastLine)));
}

// With N = 3 each search ends on the largest value it covers of the first run: V(3)
// and Vr(3) as its 1 Hz sine rises, and S(2), the line of that sine, at N - 1.
INSTANTIATE_TEST_SUITE_P(Counts, PeaksAfterRefusal, testing::Values("5000", "30", "3"));

}  // namespace
