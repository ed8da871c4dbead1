// SPDX-License-Identifier: GPL-3.0-or-later
// What a run costs in memory: the peak resident memory it adds to the program, per
// sample, for a run completed through "Grafici" with both plots drawn, and for a large
// run cancelled after its first block of lines. A run's own arrays are five doubles a
// sample, 40 bytes.
//
// Run each benchmark in a process of its own (--benchmark_filter): memory that one
// frees stays with the process, and the next would be counted as taking less.
#include "core/computationmodule.h"
#include "core/runjob.h"
#include "runthrough.h"
#include "ui/form1.h"
#include "ui/progressrunexecutor.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <string>
#include <thread>

namespace {

// A line "key: value kB" of /proc/self/status, in bytes.
double statusBytes(const std::string& key)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.compare(0, key.size() + 1, key + ":") == 0)
            return std::stod(line.substr(key.size() + 1)) * 1024;
    return 0;
}

// Lowers the peak resident memory the kernel reports (VmHWM) to the present one.
void resetPeak()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

// "Grafici" at N samples, with the sine signal, after a default run that has made both
// windows and shown the progress dialog once. The run is computed behind the progress
// dialog (the second argument 1), as a run this long is, or without it (0): the dialog
// takes memory of its own, about the same whatever N.
void completedRunMemory(benchmark::State& state)
{
    const auto n = state.range(0);
    const bool behindDialog = state.range(1) != 0;
    ComputationModule module;
    Form1 form1(module);
    form1.show();
    form1.findChild<QComboBox*>(QStringLiteral("Combo1"))->setCurrentIndex(0);
    auto* grafici = form1.findChild<QAbstractButton*>(QStringLiteral("Command2"));
    const auto runToItsEnd = [&] {
        grafici->click();
        while (form1.runExecutor().running())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    };
    form1.runExecutor().setDialogThreshold(0);
    runToItsEnd();
    form1.runExecutor().setDialogThreshold(behindDialog ? 0 : 1e12);
    form1.findChild<QLineEdit*>(QStringLiteral("Text13"))->setText(QString::number(n));
    for (auto _ : state) {
        resetPeak();
        const double before = statusBytes("VmRSS");
        runToItsEnd();
        state.counters["bytes_per_sample"] =
            (statusBytes("VmHWM") - before) / static_cast<double>(n);
    }
}
BENCHMARK(completedRunMemory)
    ->ArgNames({"N", "dialog"})
    ->Args({100'000, 1})
    ->Args({100'000, 0})
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

// Computes the job on a thread of its own and cancels it as soon as its first block of
// lines is done.
bool cancelAfterFirstBlock(RunJob& job)
{
    RunControl control;
    std::atomic<bool> ended = false;
    bool completed = false;
    std::thread worker([&] {
        completed = job.compute(control);
        ended = true;
    });
    while (!ended && control.doneFraction() == 0)
        std::this_thread::sleep_for(std::chrono::microseconds(50));
    control.cancel();
    worker.join();
    return completed;
}

void cancelledRunMemory(benchmark::State& state)
{
    const auto n = state.range(0);
    ComputationModule module;
    runThrough(module, RunRequest{}, cancelAfterFirstBlock);  // the threads of the transform exist
    RunRequest request;
    request.entries.sampleCount = std::to_string(n);
    for (auto _ : state) {
        resetPeak();
        const double before = statusBytes("VmRSS");
        const RunOutcome outcome = runThrough(module, request, cancelAfterFirstBlock);
        if (outcome.kind != RunOutcome::Kind::cancelled)
            state.SkipWithError("the run was not cancelled");
        state.counters["bytes_per_sample"] =
            (statusBytes("VmHWM") - before) / static_cast<double>(n);
    }
}
BENCHMARK(cancelledRunMemory)
    ->ArgName("N")
    ->Arg(1'000'000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
