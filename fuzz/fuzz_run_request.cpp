// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: arbitrary bytes as a series of "Grafici" requests, each followed by
// cursor readouts on both plots and "Visualizza spettro", on a module whose runs are
// shown on the recording plots of the tests. Besides what the sanitizers catch, it checks what
// the user must be able to rely on whatever the entries: a refused request leaves the
// plots and the last run alone, a completed one draws only real coordinates, and no
// readout shows a number that is not one.

#include "core/computationmodule.h"
#include "core/readouts.h"
#include "core/runvalidation.h"
#include "fuzz/fuzzedrequest.h"
#include "fuzzcheck.h"
#include "recordingplots.h"
#include "runthrough.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

// The direct transform pair costs about 1.5 N^2 sines and cosines, so a request that
// passes every check with a larger N is checked but not computed; the checks of larger
// requests have a target of their own. Smaller ones are computed in full, hundreds a
// second.
constexpr std::int32_t maxComputedSampleCount = 64;

bool allSized(const SignalArrays& a, std::size_t size)
{
    return a.inputSignal.size() == size && a.spectrumRe.size() == size &&
           a.spectrumIm.size() == size && a.spectrumMag.size() == size &&
           a.outputSignal.size() == size;
}

// Whether every segment drawn on the surface ends at real numbers (the surface clips
// what lies outside the plot, but a NaN has no place to be clipped to).
bool drewOnlyRealSegments(const RecordingSurface& surface)
{
    for (const SurfaceCall& call : surface.calls()) {
        if (call.kind == SurfaceCall::Kind::line && (std::isnan(call.x1) || std::isnan(call.y1) ||
                                                     std::isnan(call.x2) || std::isnan(call.y2)))
            return false;
    }
    return true;
}

// Whether a request that passes every check would compute more samples than a fuzzing
// input may take; the check runs on a copy of the record, so the module is untouched.
bool tooLargeToCompute(const ComputationModule& module, const RunRequest& request)
{
    RunRecord trial;
    trial.parameters = module.parameters();
    trial.periodCount = module.periodCount();
    trial.spectrumScale = module.spectrumScale();
    return !validateRunRequest(request, trial) &&
           trial.parameters.sampleCount > maxComputedSampleCount;
}

void checkRefusal(const ComputationModule& module, const std::string& message,
                  const RecordingPlots& plots, const SignalArrays& before, double dcBefore)
{
    require(!message.empty() && message == module.messageText(), "refusal without its message");
    require(plots.untouched(), "a refused request touched the plots");
    require(module.arrays() == before, "a refused request changed the last run");
    require(module.dcComponent() == dcBefore, "a refused request changed the DC readout");
}

void checkRun(const ComputationModule& module, const RecordingPlots& plots)
{
    const auto size = static_cast<std::size_t>(module.parameters().sampleCount) + 1;
    require(allSized(module.arrays(), size), "a run left arrays of another size");
    require(plots.waveformWindowShows == 1, "a run did not show the waveform window");
    require(drewOnlyRealSegments(plots.waveform) && drewOnlyRealSegments(plots.spectrum),
            "a run drew a segment at a coordinate that is not a number");
    require(std::isfinite(module.inputPeak()) && std::isfinite(module.outputPeak()) &&
                std::isfinite(module.spectrumPeak()) && std::isfinite(module.dcComponent()),
            "a run produced a peak or DC component that is not a finite number");
}

void checkReadout(const ComputationModule& module, const std::string& text, std::string_view start)
{
    // Before the first run has completed there is no plot to read.
    if (text.empty()) {
        require(module.completedRun() == nullptr, "a readout of a run on screen is empty");
        return;
    }
    require(text.starts_with(start) && text.ends_with(" V"), "a readout lost its shape");
    require(text.find("NaN") == std::string::npos && text.find("Inf") == std::string::npos,
            "a readout shows a number that is not one");
}

void readAt(const ComputationModule& module, CursorPosition cursor)
{
    checkReadout(module, waveformReadout(module, WaveformCurve::input, cursor.x, cursor.y), "t= ");
    checkReadout(module, waveformReadout(module, WaveformCurve::output, cursor.x, cursor.y, ","),
                 "t= ");
    checkReadout(module, spectrumReadout(module, cursor.x, cursor.y), "f= ");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ComputationModule module;
    RecordingPlots plots;
    for (const FuzzedRequest& fuzzed : splitFuzzedRequests({data, size})) {
        const RunRequest& request = fuzzed.request;
        if (!tooLargeToCompute(module, request)) {
            plots.forgetCalls();
            const SignalArrays before = module.arrays();
            const double dcBefore = module.dcComponent();
            const RunOutcome outcome = runThrough(module, request);
            plots.show(outcome);
            require(outcome.kind != RunOutcome::Kind::cancelled, "a run in place was cancelled");
            if (const auto refusal = outcome.refusal())
                checkRefusal(module, *refusal, plots, before, dcBefore);
            else
                checkRun(module, plots);
        }

        for (const CursorPosition& cursor : fuzzed.cursors)
            readAt(module, cursor);

        const auto spectrumRefusal = module.requestSpectrumWindow();
        require(!spectrumRefusal || *spectrumRefusal == module.messageText(),
                "\"Visualizza spettro\" refused without its message");
    }
    return 0;
}
