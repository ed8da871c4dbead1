// SPDX-License-Identifier: GPL-3.0-or-later
// The transform pair, which is nearly all of a run's time: about 1.5 N^2 sine-and-cosine
// pairs, written literally and spread over every core and vector lane; and the start of
// a run of a million samples, which is mostly the synthesis. Both programs, run_bench
// and plain_bench, run these, so that the figures inside the windows' process can be
// held against those of a process without Qt.
#include "bench/benchprocess.h"
#include "core/fasttransform.h"
#include "core/runjob.h"
#include "core/synthesis.h"
#include "core/transform.h"
#include "core/vectorstate.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

struct Samples {
    std::vector<double> input, re, im, output;

    explicit Samples(std::int32_t n)
        : input(static_cast<std::size_t>(n) + 1), re(input.size()), im(input.size()),
          output(input.size())
    {
        for (std::int32_t i = 0; i <= n; ++i)
            input[static_cast<std::size_t>(i)] =
                25 + 25 * std::sin(phase(i, 1, 2, n)) + 4 * std::sin(phase(i, 50, 2, n));
    }
};

double sineCosinePairs(std::int32_t n)
{
    return (highestLine(n) + 1.0) * n + double(n) * n;
}

// Seconds per literal transform pair at each N, one entry per repetition, for the ratios.
std::map<std::int32_t, std::vector<double>>& literalSeconds()
{
    static std::map<std::int32_t, std::vector<double>> seconds;
    return seconds;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// Times the transform pair once per iteration, as a run meets it: after the windows
// have drawn, from the clean vector state that RunJob::compute starts from. Only the
// pair itself is timed (the benchmarks use manual time). Returns the mean seconds.
template <typename Pair>
double timedPairs(benchmark::State& state, std::int32_t n, Pair pair)
{
    double total = 0;
    for (auto _ : state) {
        drawAsTheWindowsDo();
        cleanVectorState();
        const auto start = std::chrono::steady_clock::now();
        pair();
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime(seconds);
        total += seconds;
    }
    const double mean = total / double(state.iterations());
    state.counters["ns_per_pair"] = mean / sineCosinePairs(n) * 1e9;
    return mean;
}

void literalPair(benchmark::State& state)
{
    const auto n = static_cast<std::int32_t>(state.range(0));
    Samples s(n);
    literalSeconds()[n].push_back(timedPairs(state, n, [&] {
        forwardTransform(s.input, n, 2, s.re, s.im);
        inverseTransform(s.re, s.im, n, 2, s.output);
        benchmark::DoNotOptimize(s.output.data());
    }));
}

void fastPair(benchmark::State& state, int threads)
{
    const auto n = static_cast<std::int32_t>(state.range(0));
    Samples s(n);
    const TransformOptions options{.threads = threads};
    const double seconds = timedPairs(state, n, [&] {
        fastForwardTransform(s.input, n, 2, s.re, s.im, options);
        fastInverseTransform(s.re, s.im, n, 2, s.output, options);
        benchmark::DoNotOptimize(s.output.data());
    });
    // Against the median of the literal pair's repetitions at this N.
    if (const auto literal = literalSeconds().find(n); literal != literalSeconds().end())
        state.counters["times_faster"] = median(literal->second) / seconds;
}

// The sizes every transform benchmark runs at, timed by the wall clock: the fast pair
// works on every core.
void atEverySize(benchmark::internal::Benchmark* timing)
{
    timing->Arg(1000)->Arg(4000)->Arg(16000)->Unit(benchmark::kMillisecond)->UseManualTime();
}

BENCHMARK(literalPair)->Apply(atEverySize);
BENCHMARK_CAPTURE(fastPair, one_thread, 1)->Apply(atEverySize);
BENCHMARK_CAPTURE(fastPair, every_core, 0)->Apply(atEverySize);

// As many threads as the processor has cores, each spinning for as long as it lives: a
// classroom PC's browser or video call, at its worst.
class BusyCores {
public:
    BusyCores()
    {
        for (unsigned core = 0; core < std::max(1U, std::thread::hardware_concurrency()); ++core)
            m_threads.emplace_back([this] {
                double x = 1;
                while (!m_stop.load(std::memory_order_relaxed))
                    benchmark::DoNotOptimize(x *= 1.0000001);
            });
    }
    ~BusyCores() { m_stop = true; }

private:
    std::atomic<bool> m_stop{false};
    std::vector<std::jthread> m_threads;
};

// Seconds per fast transform pair on one thread beside the busy cores, at each N.
std::map<std::int32_t, std::vector<double>>& oneThreadUnderLoadSeconds()
{
    static std::map<std::int32_t, std::vector<double>> seconds;
    return seconds;
}

// The fast pair on `threads` threads while every core is kept busy by another
// thread: more threads must never be slower than one.
void fastPairUnderLoad(benchmark::State& state, int threads)
{
    const auto n = static_cast<std::int32_t>(state.range(0));
    Samples s(n);
    const TransformOptions options{.threads = threads};
    const BusyCores busy;
    const double seconds = timedPairs(state, n, [&] {
        fastForwardTransform(s.input, n, 2, s.re, s.im, options);
        fastInverseTransform(s.re, s.im, n, 2, s.output, options);
        benchmark::DoNotOptimize(s.output.data());
    });
    if (threads == 1) {
        oneThreadUnderLoadSeconds()[n].push_back(seconds);
    } else if (const auto one = oneThreadUnderLoadSeconds().find(n);
               one != oneThreadUnderLoadSeconds().end()) {
        state.counters["times_one_thread"] = median(one->second) / seconds;
    }
}

void underLoad(benchmark::internal::Benchmark* timing)
{
    timing->Arg(1000)->Arg(4000)->Unit(benchmark::kMillisecond)->UseManualTime();
}

BENCHMARK_CAPTURE(fastPairUnderLoad, one_thread, 1)->Apply(underLoad);
BENCHMARK_CAPTURE(fastPairUnderLoad, two_threads, 2)->Apply(underLoad);

// A run of the default entries with N samples, started as the windows start it, and
// cancelled where its transform begins: the arrays, the synthesis of both signals
// (three sines a sample, from the C library) and the choice of the input signal.
void runStart(benchmark::State& state)
{
    RunRecord record;
    RunParameters& p = record.parameters;
    p.stopLowFreq = 49;
    p.stopHighFreq = 51;
    p.signalAmplitude = 25;
    p.noiseAmplitude = 4;
    p.signalOffset = 25;
    p.windowTime = 2;
    p.sampleCount = static_cast<std::int32_t>(state.range(0));
    p.dutyCycle = 0.5;
    p.signalFreq = 1;
    p.noiseFreq = 50;
    p.freqAxisZoom = 0.7;
    record.periodCount = 2;
    std::optional<RunJob> job;
    for (auto _ : state) {
        state.PauseTiming();
        job.emplace(record, true);  // the sine signal; frees the last job
        RunControl control;
        control.cancel();
        drawAsTheWindowsDo();
        state.ResumeTiming();
        benchmark::DoNotOptimize(job->compute(control));
    }
}
BENCHMARK(runStart)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
