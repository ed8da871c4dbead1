// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/benchprocess.h"

#include "core/lanekernels.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

namespace {

// The value of one "key : value" line of /proc/cpuinfo, for the first processor.
std::string cpuInfo(const std::string& key)
{
    std::ifstream info("/proc/cpuinfo");
    for (std::string line; std::getline(info, line);) {
        const auto colon = line.find(':');
        if (colon == std::string::npos || line.compare(0, key.size(), key) != 0)
            continue;
        if (line.find_first_not_of(" \t", key.size()) != colon)
            continue;
        const auto value = line.find_first_not_of(' ', colon + 1);
        return value == std::string::npos ? std::string() : line.substr(value);
    }
    return "unknown";
}

std::string vectorSets()
{
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
    // As the processor and the operating system together offer them.
    std::string sets = "SSE2";
    if (__builtin_cpu_supports("avx"))
        sets += " AVX";
    if (__builtin_cpu_supports("avx2"))
        sets += " AVX2";
    if (__builtin_cpu_supports("fma"))
        sets += " FMA";
    sets += __builtin_cpu_supports("avx512f") ? " AVX-512F" : ", no AVX-512";
    return sets;
#else
    return "not an x86-64 build";
#endif
}

int widestLanes()
{
    int widest = 1;
    for (const LaneKernel& kernel : laneKernels())
        if (kernel.supported && kernel.width > widest)
            widest = kernel.width;
    return widest;
}

}  // namespace

void addProcessorContext()
{
    benchmark::AddCustomContext("processor", cpuInfo("model name") + " (family " +
                                                 cpuInfo("cpu family") + ", model " +
                                                 cpuInfo("model") + ")");
    benchmark::AddCustomContext("vector_sets", vectorSets());
    benchmark::AddCustomContext(
        "fast_pair",
        std::to_string(widestLanes()) +
            " lanes, sine and cosine by rotation from a polynomial anchor every 32 steps");
    benchmark::AddCustomContext(
        "vector_state",
        "each transform pair is timed after drawAsTheWindowsDo() (a QPainter line in "
        "run_bench, nothing in plain_bench) and cleanVectorState() (vzeroupper where the "
        "processor has AVX), as a run starts; runStart calls RunJob::compute itself "
        "after drawAsTheWindowsDo()");
}

int runBenchmarks(int& argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    addProcessorContext();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
