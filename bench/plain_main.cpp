// SPDX-License-Identifier: GPL-3.0-or-later
// plain_bench: the transform and synthesis benchmarks in a process that has no Qt and
// no windows, to hold run_bench's figures against.
#include "bench/benchprocess.h"

#include <benchmark/benchmark.h>

void drawAsTheWindowsDo()
{
}

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    addProcessorContext();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
