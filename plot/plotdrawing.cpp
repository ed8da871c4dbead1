#include "plot/plotdrawing.h"

#include <cassert>
#include <cfloat>
#include <cmath>

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

namespace {

// y of a curve point: the sample scaled so that the peak lands 20 units from the zero
// line. A zero peak means every sample is 0, and the point sits on the zero line.
double curveY(double sample, double peak, double zeroLine)
{
    if (peak == 0)
        return zeroLine;
    return sample * 20 / peak + zeroLine;
}

}  // namespace

void drawCurves(PlotSurface& waveform, std::span<const double> input,
                std::span<const double> output, std::int32_t sampleCount,
                double inputPeak, double outputPeak)
{
    assert(sampleCount >= 1 && sampleCount <= maxDrawableSampleCount);
    [[maybe_unused]] const auto n = static_cast<std::size_t>(sampleCount);
    assert(input.size() > n && output.size() > n);

    const double count = sampleCount;
    for (std::int32_t i = 0; i < sampleCount; ++i) {
        const auto at = static_cast<std::size_t>(i);
        // 100 * (i + 1) fits 32 bits for every drawable N.
        const float x1 = toSingle(static_cast<double>(100 * i) / count);
        const float x2 = toSingle(static_cast<double>(100 * (i + 1)) / count);
        waveform.line(x1, toSingle(curveY(input[at], inputPeak, 75)),
                      x2, toSingle(curveY(input[at + 1], inputPeak, 75)), black);
        waveform.line(x1, toSingle(curveY(output[at], outputPeak, 25)),
                      x2, toSingle(curveY(output[at + 1], outputPeak, 25)), red);
    }
}

void drawSpectrumLines(PlotSurface& spectrum, std::span<const double> magnitude,
                       std::int32_t sampleCount, double spectrumScale, double spectrumPeak)
{
    assert(sampleCount >= 1 && sampleCount <= maxDrawableSampleCount);
    if (spectrumPeak == 0)
        return;

    const double count = sampleCount;
    // R(N / 2) with ties to even; N / 2 is at most 2^30, so the conversion is exact.
    const auto lineCount = static_cast<std::int32_t>(std::nearbyint(count / 2));
    assert(magnitude.size() > static_cast<std::size_t>(lineCount));
    for (std::int32_t k = 1; k <= lineCount; ++k) {
        const float x = toSingle(static_cast<double>(200 * k) * spectrumScale / count);
        const float y = toSingle(magnitude[static_cast<std::size_t>(k)] * 90 / spectrumPeak);
        spectrum.line(x, 0, x, y, red);
    }
}

void drawZeroLines(PlotSurface& waveform)
{
    waveform.line(0, 75, 100, 75, black);
    waveform.line(0, 25, 100, 25, black);
}
