// SPDX-License-Identifier: GPL-3.0-or-later
// plain_bench: the transform and synthesis benchmarks in a process that has no Qt and
// no windows, to hold run_bench's figures against.
#include "bench/benchprocess.h"

void drawAsTheWindowsDo()
{
}

int main(int argc, char** argv)
{
    return runBenchmarks(argc, argv);
}
