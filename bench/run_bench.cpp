// SPDX-License-Identifier: GPL-3.0-or-later
// A whole run as the student starts it, and the drawing that follows the arithmetic.
#include "bench/benchprocess.h"
#include "core/computationmodule.h"
#include "core/vectorstate.h"
#include "plot/plotdrawing.h"
#include "runthrough.h"
#include "ui/form1.h"
#include "ui/plotwidget.h"

#include <QAbstractButton>
#include <QComboBox>

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

class DiscardingSurface : public PlotSurface {
public:
    void scale(float, float, float, float) override {}
    void line(float x1, float y1, float x2, float y2, std::optional<Colour>) override
    {
        benchmark::DoNotOptimize(x1 + y1 + x2 + y2);
    }
    void clear() override {}
    void setToolTipText(const std::string&) override {}
};

// The arithmetic and the drawing calls of the default run, with no pixels set.
void defaultRunArithmetic(benchmark::State& state)
{
    ComputationModule module;
    DiscardingSurface waveform;
    DiscardingSurface spectrum;
    const RunRequest request;
    for (auto _ : state) {
        const RunOutcome outcome = runThrough(module, request);
        drawRun(*outcome.run, waveform, spectrum);
    }
}
BENCHMARK(defaultRunArithmetic)->Unit(benchmark::kMillisecond)->UseRealTime();

// "Grafici" with the default entries in the real windows: the run, both plots drawn
// into their pictures, the waveform window shown.
void defaultRunInTheWindows(benchmark::State& state)
{
    ComputationModule module;
    Form1 form1(module);
    form1.show();
    form1.findChild<QComboBox*>(QStringLiteral("Combo1"))->setCurrentIndex(0);
    auto* grafici = form1.findChild<QAbstractButton*>(QStringLiteral("Command2"));
    for (auto _ : state)
        grafici->click();
}
BENCHMARK(defaultRunInTheWindows)->Unit(benchmark::kMillisecond)->UseRealTime();

// A million sines and cosines from the C library, straight after the windows have
// drawn (as_left) and after cleanVectorState() (cleaned): whether this processor pays
// for the dirty vector state the raster engine leaves behind, and that the cleaning
// removes the cost.
void libmSinCos(benchmark::State& state, bool cleaned)
{
    for (auto _ : state) {
        state.PauseTiming();
        drawAsTheWindowsDo();
        if (cleaned)
            cleanVectorState();
        state.ResumeTiming();
        double sum = 0;
        for (int i = 0; i < 1'000'000; ++i) {
            const double angle = i * 0.0137;
            sum += std::sin(angle) + std::cos(angle);
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK_CAPTURE(libmSinCos, as_left, false)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(libmSinCos, cleaned, true)->Unit(benchmark::kMillisecond)->UseRealTime();

// The two curves of a million-sample run into a picture the size of the waveform plot.
void drawCurvesOfAMillionSamples(benchmark::State& state)
{
    const std::int32_t n = 1'000'000;
    std::vector<double> input(n + 1), output(n + 1);
    for (std::int32_t i = 0; i <= n; ++i) {
        input[static_cast<std::size_t>(i)] = 25 + 25 * std::sin(i * 1e-4) + 4 * std::sin(i * 0.3);
        output[static_cast<std::size_t>(i)] = 25 + 25 * std::sin(i * 1e-4);
    }
    PlotWidget plot(QColor(255, 255, 192));
    plot.resize(1001, 609);  // the waveform window's plot
    for (auto _ : state) {
        plot.clear();
        setPlotScale(plot);
        drawCurves(plot, input, output, n, 54, 50);
    }
}
BENCHMARK(drawCurvesOfAMillionSamples)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
