// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the two benchmark programs share. run_bench runs inside a Qt application with
// the windows; plain_bench runs the same transform and synthesis benchmarks in a
// process with no Qt at all, the yardstick for run_bench's figures.

// What the windows do between two runs: in run_bench, a line drawn into an image with
// Qt's raster engine, which on processors with AVX leaves the upper halves of the
// vector registers dirty (see core/vectorstate.h); in plain_bench, nothing.
void drawAsTheWindowsDo();

// Adds to the context printed before the results: the processor's model, the vector
// instruction sets it offers, the transform's widest kernel, and how the benchmarks
// that stand for a run prepare the vector state.
void addProcessorContext();

// Runs the benchmarks the command line selects, after the context above; returns the
// program's exit status.
int runBenchmarks(int& argc, char** argv);
