// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/plotdrawing.h"

#include "core/samplecount.h"

#include <algorithm>
#include <cassert>
#include <cfloat>
#include <cmath>
#include <vector>

float toSingle(double value)
{
    if (value > FLT_MAX)
        return FLT_MAX;
    if (value < -FLT_MAX)
        return -FLT_MAX;
    return static_cast<float>(value);
}

void setPlotScale(PlotSurface& surface)
{
    surface.scale(0, 100, 100, 0);
}

void drawTickMarks(PlotSurface& waveform)
{
    for (int y = 100; y > 0; y -= 5)
        waveform.line(0, static_cast<float>(y), 0.2f, static_cast<float>(y));
    for (int x = 0; x <= 100; x += 25)
        waveform.line(static_cast<float>(x), 0, static_cast<float>(x), 0.5f);
}

float curvePointY(double sample, double peak, double zeroLine)
{
    if (peak == 0)
        return toSingle(zeroLine);
    return toSingle(sample * 20 / peak + zeroLine);
}

float lineTopY(double magnitude, double spectrumPeak)
{
    if (spectrumPeak == 0)
        return 0;
    return toSingle(magnitude * 90 / spectrumPeak);
}

namespace {

// The segments of a curve or a spectrum go to the surface in runs of this many: long
// enough that a painting surface sets up its pen rarely, short enough that the buffers
// (32 KB a run) add next to nothing to the memory of a run, however large N is.
constexpr std::size_t segmentsPerRun = 2048;

// Collects segments of one colour and hands them to the surface a run at a time.
class SegmentRun {
public:
    SegmentRun(PlotSurface& surface, Colour colour, std::size_t expected)
        : m_surface(surface), m_colour(colour)
    {
        m_segments.reserve(std::min(expected, segmentsPerRun));
    }

    void add(float x1, float y1, float x2, float y2) { m_segments.push_back({x1, y1, x2, y2}); }

    bool full() const { return m_segments.size() >= segmentsPerRun; }

    void flush()
    {
        if (!m_segments.empty())
            m_surface.lines(m_segments, m_colour);
        m_segments.clear();
    }

private:
    PlotSurface& m_surface;
    Colour m_colour;
    std::vector<UserSegment> m_segments;
};

}  // namespace

void drawCurves(PlotSurface& waveform, std::span<const double> input,
                std::span<const double> output, std::int32_t sampleCount, double inputPeak,
                double outputPeak)
{
    assert(sampleCount >= 1 && sampleCount <= maxDrawableSampleCount);
    const auto n = static_cast<std::size_t>(sampleCount);
    assert(input.size() > n && output.size() > n);

    // The two curves lie in separate bands (55..95 and 5..45), so drawing a stretch of
    // V(t) and then the same stretch of Vr(t) gives the picture that alternating
    // segment by segment would.
    SegmentRun inputRun(waveform, black, n);
    SegmentRun outputRun(waveform, red, n);
    for (std::int32_t i = 0; i < sampleCount; ++i) {
        const auto at = static_cast<std::size_t>(i);
        const float x1 = sampleX(i, sampleCount);
        const float x2 = sampleX(i + 1, sampleCount);
        inputRun.add(x1, curvePointY(input[at], inputPeak, 75), x2,
                     curvePointY(input[at + 1], inputPeak, 75));
        outputRun.add(x1, curvePointY(output[at], outputPeak, 25), x2,
                      curvePointY(output[at + 1], outputPeak, 25));
        if (inputRun.full()) {
            inputRun.flush();
            outputRun.flush();
        }
    }
    inputRun.flush();
    outputRun.flush();
}

void drawSpectrumLines(PlotSurface& spectrum, std::span<const double> magnitude,
                       std::int32_t sampleCount, double spectrumScale, double spectrumPeak)
{
    assert(sampleCount >= 1 && sampleCount <= maxDrawableSampleCount);
    if (spectrumPeak == 0)
        return;

    const std::int32_t lineCount = highestLine(sampleCount);
    assert(magnitude.size() > static_cast<std::size_t>(lineCount));
    SegmentRun lines(spectrum, red, static_cast<std::size_t>(lineCount));
    for (std::int32_t k = 1; k <= lineCount; ++k) {
        const float x = lineX(k, sampleCount, spectrumScale);
        const float y = lineTopY(magnitude[static_cast<std::size_t>(k)], spectrumPeak);
        lines.add(x, 0, x, y);
        if (lines.full())
            lines.flush();
    }
    lines.flush();
}

void drawZeroLines(PlotSurface& waveform)
{
    waveform.line(0, 75, 100, 75, black);
    waveform.line(0, 25, 100, 25, black);
}

void drawRun(const CompletedRun& run, PlotSurface& waveform, PlotSurface& spectrum)
{
    const std::int32_t n = run.parameters.sampleCount;
    const SignalArrays& a = run.arrays;
    setPlotScale(spectrum);
    setPlotScale(waveform);
    drawTickMarks(waveform);
    drawCurves(waveform, a.inputSignal, a.outputSignal, n, run.inputPeak, run.outputPeak);
    drawSpectrumLines(spectrum, a.spectrumMag, n, run.spectrumScale, run.spectrumPeak);
    drawZeroLines(waveform);
}

void drawRunPlot(const CompletedRun& run, RunPlot plot, PlotSurface& surface)
{
    const std::int32_t n = run.parameters.sampleCount;
    const SignalArrays& a = run.arrays;
    setPlotScale(surface);
    if (plot == RunPlot::spectrum) {
        drawSpectrumLines(surface, a.spectrumMag, n, run.spectrumScale, run.spectrumPeak);
        return;
    }
    drawTickMarks(surface);
    drawCurves(surface, a.inputSignal, a.outputSignal, n, run.inputPeak, run.outputPeak);
    drawZeroLines(surface);
}
