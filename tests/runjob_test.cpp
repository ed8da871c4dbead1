// SPDX-License-Identifier: GPL-3.0-or-later
// A whole run through the module with the fast transform pair, against the literal
// arithmetic; and the ways a run can be executed: in place, on another thread, or
// cancelled part of the way through.
#include "core/bandstop.h"
#include "core/computationmodule.h"
#include "core/messages.h"
#include "core/readouts.h"
#include "core/signaltype.h"
#include "core/transform.h"
#include "sanitizers.h"
#include "tests/testsupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#if defined(__linux__)
#include <fstream>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

using namespace testsupport::entry;
using testsupport::entriesWith;
using testsupport::largestMagnitude;
using testsupport::Session;

// The run's spectra and reconstruction recomputed from its input with the literal
// transform pair.
SignalArrays literalRun(const ComputationModule& module, bool filterOn)
{
    const RunParameters& p = module.parameters();
    const std::int32_t n = p.sampleCount;
    SignalArrays a = module.arrays();
    std::fill(a.spectrumMag.begin(), a.spectrumMag.end(), 0.0);
    std::fill(a.outputSignal.begin(), a.outputSignal.end(), 0.0);
    forwardTransform(a.inputSignal, n, p.windowTime, a.spectrumRe, a.spectrumIm);
    if (filterOn)
        applyBandStop(stopBandLines(n, p.windowTime, p.stopLowFreq, p.stopHighFreq), a.spectrumRe,
                      a.spectrumIm);
    amplitudeSpectrum(a.spectrumRe, a.spectrumIm, n, p.windowTime, a.spectrumMag);
    inverseTransform(a.spectrumRe, a.spectrumIm, n, p.windowTime, a.outputSignal);
    return a;
}

void expectClose(const std::vector<double>& actual, const std::vector<double>& expected,
                 const char* what)
{
    ASSERT_EQ(actual.size(), expected.size()) << what;
    const double tolerance = 1e-12 * std::max(largestMagnitude(expected), 1e-300);
    for (std::size_t i = 0; i < expected.size(); ++i)
        ASSERT_NEAR(actual[i], expected[i], tolerance) << what << "(" << i << ")";
}

std::string text(double value)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.3f", value);
    return buffer;
}

TEST(FastRun, AgreesWithTheLiteralArithmetic)
{
    std::mt19937 random(20261207);
    const std::int32_t sizes[] = {1, 2, 3, 4, 7, 10, 64, 99, 100, 500, 1001, 1003, 2000};
    const double windows[] = {0.5, 1, 2, 3.7};
    int runs = 0;
    for (std::int32_t n : sizes) {
        for (bool filterOn : {false, true}) {
            for (std::string_view signal : {sineSignalItem, pulseSignalItem}) {
                const double w = windows[random() % 4];
                // Every frequency below 0.99 N / (2 W), fi <= fs.
                std::uniform_real_distribution<double> frequency(0.0, 0.98 * n / (2 * w));
                double fi = frequency(random), fs = frequency(random);
                if (fi > fs)
                    std::swap(fi, fs);
                RunEntries entries = entriesWith({{N, std::to_string(n).c_str()}});
                entries.windowTime = text(w);
                entries.stopLowFreq = text(fi);
                entries.stopHighFreq = text(std::max(fs, fi));
                entries.signalFreq = text(frequency(random));
                entries.noiseFreq = text(frequency(random));
                entries.dutyCycle = "0.3";

                Session s;
                const auto refusal = s.run(entries, signal, filterOn, !filterOn);
                if (refusal)
                    continue;  // a zero sum of frequencies, or too many periods
                ++runs;
                SCOPED_TRACE(testing::Message() << "N = " << n << ", W = " << w << ", filter "
                                                << filterOn << ", " << signal);
                const SignalArrays expected = literalRun(s.module, filterOn);
                const SignalArrays& actual = s.module.arrays();
                expectClose(actual.spectrumRe, expected.spectrumRe, "spectrumRe");
                expectClose(actual.spectrumIm, expected.spectrumIm, "spectrumIm");
                expectClose(actual.spectrumMag, expected.spectrumMag, "spectrumMag");
                expectClose(actual.outputSignal, expected.outputSignal, "outputSignal");
            }
        }
    }
    EXPECT_GE(runs, 40);
}

// Runs the job on a thread of its own, as the windows do for long runs.
bool onAnotherThread(RunJob& job)
{
    bool completed = false;
    std::thread worker([&] { completed = computeInPlace(job); });
    worker.join();
    return completed;
}

// Computes the job on a thread of its own and cancels it once it is `share` of the way
// through (0: before it starts).
auto cancellingPartWay(double share)
{
    return [share](RunJob& job) {
        RunControl control;
        if (share == 0)
            control.cancel();
        bool completed = true;
        std::thread worker([&] { completed = job.compute(control); });
        while (share > 0 && control.doneFraction() < share)
            std::this_thread::sleep_for(std::chrono::microseconds(100));
        control.cancel();
        worker.join();
        return completed;
    };
}

TEST(RunExecution, OnAnotherThreadLeavesWhatARunInPlaceLeaves)
{
    const RunEntries entries = entriesWith({{N, "1001"}, {fi, "10"}, {fs, "20"}});
    Session inPlace;
    ASSERT_EQ(inPlace.run(entries), std::nullopt);
    Session threaded;
    ASSERT_EQ(
        threaded.show(runThrough(threaded.module, RunRequest{.entries = entries}, onAnotherThread)),
        std::nullopt);

    EXPECT_EQ(threaded.module.arrays().spectrumRe, inPlace.module.arrays().spectrumRe);
    EXPECT_EQ(threaded.module.arrays().spectrumIm, inPlace.module.arrays().spectrumIm);
    EXPECT_EQ(threaded.module.arrays().spectrumMag, inPlace.module.arrays().spectrumMag);
    EXPECT_EQ(threaded.module.arrays().outputSignal, inPlace.module.arrays().outputSignal);
    EXPECT_EQ(threaded.plots.journal, inPlace.plots.journal);
    EXPECT_EQ(threaded.plots.waveform.calls().size(), inPlace.plots.waveform.calls().size());
}

TEST(RunExecution, ACancelledRunLeavesTheLastCompletedOne)
{
    for (double share : {0.0, 0.05}) {
        SCOPED_TRACE(testing::Message() << "cancelled at " << share);
        Session s;
        ASSERT_EQ(s.run(), std::nullopt);
        const SignalArrays before = s.module.arrays();
        const double scale = s.module.spectrumScale();
        const double peaks[] = {s.module.inputPeak(), s.module.outputPeak(),
                                s.module.spectrumPeak()};
        s.plots.forgetCalls();

        // Large enough to be caught part of the way through; a new zoom changes the
        // spectrum scale the run would have used.
        const RunEntries bigger = entriesWith({{N, "20000"}, {ke, "0.9"}, {W, "2.5"}});
        const std::string readouts = waveformReadout(s.module, WaveformCurve::input, 50, 80) +
                                     spectrumReadout(s.module, 50, 50);
        const RunOutcome outcome =
            runThrough(s.module, RunRequest{.entries = bigger}, cancellingPartWay(share));
        EXPECT_EQ(outcome, RunOutcome::cancelled());
        s.plots.show(outcome);

        EXPECT_TRUE(s.plots.untouched());  // nothing cleared, shown or drawn
        EXPECT_EQ(s.module.arrays().inputSignal, before.inputSignal);
        EXPECT_EQ(s.module.arrays().spectrumMag, before.spectrumMag);
        EXPECT_EQ(s.module.arrays().outputSignal, before.outputSignal);
        EXPECT_EQ(s.module.spectrumScale(), scale);
        EXPECT_EQ(s.module.inputPeak(), peaks[0]);
        EXPECT_EQ(s.module.outputPeak(), peaks[1]);
        EXPECT_EQ(s.module.spectrumPeak(), peaks[2]);
        // Unlike a refusal, a cancel leaves the record too as the plots were drawn from
        // it, so the readouts and "Visualizza spettro" go on describing them.
        EXPECT_EQ(s.module.parameters().sampleCount, 1000);
        EXPECT_EQ(s.module.parameters().freqAxisZoom, 0.7);
        EXPECT_EQ(waveformReadout(s.module, WaveformCurve::input, 50, 80) +
                      spectrumReadout(s.module, 50, 50),
                  readouts);
        ASSERT_NE(s.module.completedRun(), nullptr);
        EXPECT_EQ(s.module.completedRun()->parameters.sampleCount, 1000);

        // The next request runs normally.
        ASSERT_EQ(s.run(), std::nullopt);
        EXPECT_EQ(s.module.arrays().spectrumMag, before.spectrumMag);
    }
}

#if defined(__linux__) && !defined(TESTS_UNDER_ADDRESS_SANITIZER)
}  // namespace

// Half a gigabyte more than the address space this process uses.
rlim_t capAboveUse()
{
    long pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    return static_cast<rlim_t>(pages) * static_cast<rlim_t>(sysconf(_SC_PAGESIZE)) +
           (rlim_t{1} << 29);
}

// Whether a cap on the address space holds the process to it, or nothing when that
// could not be tried. qemu-user, which runs the arm64 build's tests, accepts the cap
// without applying it to the memory it maps for the program. Tried in a child that
// makes system calls only, so that the cap stays out of this process.
std::optional<bool> addressSpaceCapHolds()
{
    const rlim_t limit = capAboveUse();
    const pid_t child = fork();
    if (child == 0) {
        const rlimit cap{limit, limit};
        if (setrlimit(RLIMIT_AS, &cap) != 0)
            _exit(2);
        const void* beyond =
            mmap(nullptr, limit, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
        _exit(beyond == MAP_FAILED ? 0 : 1);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) > 1)
        return std::nullopt;
    return WEXITSTATUS(status) == 0;
}

namespace {

// The largest N accepted needs 860 MB of arrays. On a machine without it the request
// is refused with a message and the last run stays, instead of ending the program.
// Run in a child process whose address space is capped at half a gigabyte more than it
// uses: returns 0 when the request was refused that way.
int requestBeyondMemory()
{
    Session s;
    if (s.run() != std::nullopt)
        return 2;
    const std::vector<double> before = s.module.arrays().spectrumMag;
    s.plots.forgetCalls();
    const rlim_t limit = capAboveUse();
    const rlimit cap{limit, limit};
    if (setrlimit(RLIMIT_AS, &cap) != 0)
        return 3;
    const auto refusal = s.run(entriesWith({{N, "21474836"}}));
    const bool kept = s.module.arrays().spectrumMag == before && s.plots.untouched();
    return refusal == std::string(messages::outOfMemory) && kept ? 0 : 1;
}

TEST(RunExecutionDeathTest, ArraysThatDoNotFitInMemoryRefuseTheRequest)
{
    const std::optional<bool> capHolds = addressSpaceCapHolds();
    ASSERT_TRUE(capHolds.has_value()) << "a cap on the address space could not be tried";
    if (!*capHolds)
        GTEST_SKIP() << "the cap on the address space (RLIMIT_AS) does not hold here, as under "
                        "qemu-user: the request cannot run short of memory";
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(std::exit(requestBeyondMemory()), testing::ExitedWithCode(0), "");
}
#endif

}  // namespace
