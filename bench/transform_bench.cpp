// The transform pair, which is nearly all of a run's time: about 1.5 N^2 sine-and-cosine
// pairs, written literally and spread over every core and vector lane.
#include "core/fasttransform.h"
#include "core/lanekernels.h"
#include "core/synthesis.h"
#include "core/transform.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <map>
#include <vector>

namespace {

struct Samples {
    std::vector<double> input, re, im, output;

    explicit Samples(std::int32_t n)
        : input(static_cast<std::size_t>(n) + 1), re(input.size()), im(input.size()),
          output(input.size())
    {
        for (std::int32_t i = 0; i <= n; ++i)
            input[static_cast<std::size_t>(i)] = 25 + 25 * std::sin(phase(i, 1, 2, n)) +
                                                 4 * std::sin(phase(i, 50, 2, n));
    }
};

double sineCosinePairs(std::int32_t n)
{
    return (highestLine(n) + 1.0) * n + double(n) * n;
}

// Seconds per transform pair of the literal form at each N, for the ratios.
std::map<std::int32_t, double>& literalSeconds()
{
    static std::map<std::int32_t, double> seconds;
    return seconds;
}

void reportPairs(benchmark::State& state, std::int32_t n)
{
    state.counters["ns_per_pair"] = benchmark::Counter(
        sineCosinePairs(n) * double(state.iterations()) * 1e-9,
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// The wall-clock time of the transform pair once.
template <typename Pair>
double timedSeconds(benchmark::State& state, Pair pair)
{
    double total = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        pair();
        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    return total / double(state.iterations());
}

void literalPair(benchmark::State& state)
{
    const auto n = static_cast<std::int32_t>(state.range(0));
    Samples s(n);
    literalSeconds()[n] = timedSeconds(state, [&] {
        forwardTransform(s.input, n, 2, s.re, s.im);
        inverseTransform(s.re, s.im, n, 2, s.output);
        benchmark::DoNotOptimize(s.output.data());
    });
    reportPairs(state, n);
}

void fastPair(benchmark::State& state, int threads)
{
    const auto n = static_cast<std::int32_t>(state.range(0));
    Samples s(n);
    const TransformOptions options{.threads = threads};
    const double seconds = timedSeconds(state, [&] {
        fastForwardTransform(s.input, n, 2, s.re, s.im, options);
        fastInverseTransform(s.re, s.im, n, 2, s.output, options);
        benchmark::DoNotOptimize(s.output.data());
    });
    reportPairs(state, n);
    int lanes = 1;
    for (const LaneKernel& kernel : laneKernels())
        if (kernel.supported && kernel.width > lanes)
            lanes = kernel.width;
    state.counters["lanes"] = lanes;
    if (const auto literal = literalSeconds().find(n); literal != literalSeconds().end())
        state.counters["times_faster"] = literal->second / seconds;
}

// Wall-clock time: the fast pair works on every core.
BENCHMARK(literalPair)->Arg(1000)->Arg(4000)->Arg(16000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(fastPair, one_thread, 1)->Arg(1000)->Arg(4000)->Arg(16000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(fastPair, every_core, 0)->Arg(1000)->Arg(4000)->Arg(16000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
