// The cost of a run: the direct-summation transform pair dominates, at about
// 1.5 N^2 sine-and-cosine pairs.
#include "core/computationmodule.h"
#include "core/synthesis.h"
#include "core/transform.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <string>
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

class BenchHost : public RunHost {
public:
    std::string signalTypeText() const override { return "Segnale sinusoidale"; }
    bool filterOnSelected() const override { return true; }
    bool filterOffSelected() const override { return false; }
    PlotSurface& waveformSurface() override { return m_waveform; }
    PlotSurface& spectrumSurface() override { return m_spectrum; }
    void showWaveformWindow() override {}

private:
    DiscardingSurface m_waveform;
    DiscardingSurface m_spectrum;
};

void sineCosinePairs(benchmark::State& state, std::int32_t n)
{
    const double pairs = (highestLine(n) + 1.0) * n + double(n) * n;
    state.counters["ns_per_pair"] = benchmark::Counter(
        pairs * double(state.iterations()),
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void literalTransformPair(benchmark::State& state)
{
    const auto n = static_cast<std::int32_t>(state.range(0));
    const auto size = static_cast<std::size_t>(n) + 1;
    std::vector<double> input(size), re(size), im(size), output(size);
    for (std::int32_t i = 0; i <= n; ++i)
        input[static_cast<std::size_t>(i)] = 25 + 25 * std::sin(phase(i, 1, 2, n));
    for (auto _ : state) {
        forwardTransform(input, n, 2, re, im);
        inverseTransform(re, im, n, 2, output);
        benchmark::DoNotOptimize(output.data());
    }
    sineCosinePairs(state, n);
}
BENCHMARK(literalTransformPair)->Arg(1000)->Arg(4000)->Unit(benchmark::kMillisecond);

void defaultRun(benchmark::State& state)
{
    ComputationModule module;
    BenchHost host;
    const RunEntries entries;
    for (auto _ : state)
        benchmark::DoNotOptimize(module.requestRun(entries, host));
}
BENCHMARK(defaultRun)->Unit(benchmark::kMillisecond);

}  // namespace
