// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/completedrun.h"
#include "plot/plotsurface.h"

#include <cstdint>
#include <span>

// The drawing steps of a run on the two plots, both in user coordinates 0..100 from
// left to right and 0..100 from bottom to top.

// Rounds a coordinate to single precision for the surface. A value beyond the float
// range (a spectrum line far off the right edge) becomes the largest finite float of
// its sign, which the surface clips like any other point outside the plot.
float toSingle(double value);

// Where the plots put sample i of N, x = 100 * i / N, and spectrum line k,
// x = 200 * k * spectrumScale / N, rounded as they are drawn; the keyboard's readout
// cursor steps along the same places. 0 <= i, k <= N <= maxDrawableSampleCount.
inline float sampleX(std::int32_t i, std::int32_t sampleCount)
{
    return toSingle(static_cast<double>(100 * i) / sampleCount);
}

inline float lineX(std::int32_t k, std::int32_t sampleCount, double spectrumScale)
{
    return toSingle(static_cast<double>(200 * k) * spectrumScale / sampleCount);
}

// The height at which the plots draw a curve's sample, scaled so that the curve's peak
// lies 20 units from its zero line (75 for V(t), 25 for Vr(t)); a zero peak means the
// curve is 0 everywhere, drawn on its zero line. And the top of a spectrum line of
// magnitude S, S * 90 / spectrumPeak (0 with a zero peak, where no line is drawn). The keyboard's
// readout cursor stands on these.
float curvePointY(double sample, double peak, double zeroLine);
float lineTopY(double magnitude, double spectrumPeak);

// The coordinate system of both plots: upper-left (0, 100), lower-right (100, 0).
void setPlotScale(PlotSurface& surface);

// 20 marks on the left edge (y = 100 down to 5) and 5 on the bottom edge (a quarter
// of the window apart), in the surface's foreground colour.
void drawTickMarks(PlotSurface& waveform);

// V(t) in black around y = 75 and Vr(t) in red around y = 25, sample i at
// x = 100 * i / N; each curve is scaled so that its peak touches the edge of its band
// (75 +- 20, 25 +- 20). A peak of 0 means the curve is 0 everywhere: it is drawn flat
// on its zero line. Both spans hold at least N + 1 samples.
void drawCurves(PlotSurface& waveform, std::span<const double> input,
                std::span<const double> output, std::int32_t sampleCount, double inputPeak,
                double outputPeak);

// One red vertical line per spectral component k = 1..R(N / 2) at
// x = 200 * k * spectrumScale / N, as tall as S(k) * 90 / spectrumPeak. With a
// spectrum peak of 0 every line would be of zero height, and none is drawn.
// `magnitude` holds at least N + 1 values.
void drawSpectrumLines(PlotSurface& spectrum, std::span<const double> magnitude,
                       std::int32_t sampleCount, double spectrumScale, double spectrumPeak);

// The time axes of V(t) (y = 75) and Vr(t) (y = 25), black, drawn over the curves.
void drawZeroLines(PlotSurface& waveform);

// A completed run drawn on its two plots, call for call in this order: the coordinate
// system of the spectrum plot, then of the waveform plot; the tick marks; V(t) and
// Vr(t) scaled by the run's peaks; the spectrum lines; the two zero lines. Drawing only
// adds to the plots: whoever shows the run clears them first.
void drawRun(const CompletedRun& run, PlotSurface& waveform, PlotSurface& spectrum);

// One of the two plots of a run.
enum class RunPlot { waveform, spectrum };

// What drawRun draws on one of the two plots, the same calls in the same order: the
// plot's picture of the run made again, at a new size or pixel density.
void drawRunPlot(const CompletedRun& run, RunPlot plot, PlotSurface& surface);
