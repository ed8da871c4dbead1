#pragma once

#include "core/completedrun.h"
#include "core/runhost.h"
#include "core/runjob.h"
#include "core/runparameters.h"
#include "core/runvalidation.h"
#include "core/signalarrays.h"

#include <cstdint>
#include <optional>
#include <string>

// All the state of the program's computation: the record of the current request, the
// arrays and peaks of the last completed run and the last refusal message. The
// application owns one; the windows read it and only a run request writes it.
class ComputationModule {
public:
    // The run request of "Grafici": reads and checks the entries; when they pass, clears
    // both plots and runs the computation, which shows the waveform window and draws.
    // Returns the refusal message, which is also kept as messageText(); a refused
    // request clears, computes and draws nothing.
    std::optional<std::string> requestRun(const RunEntries& entries, RunHost& host);

    // The same, with the arithmetic run by `executor`. A run the executor cancels ends
    // as a refused one does, without a message: the arrays, peaks, plots and
    // spectrumScale of the last completed run stay as they were. So does a run whose
    // arrays do not fit in memory, with a message.
    std::optional<std::string> requestRun(const RunEntries& entries, RunHost& host,
                                          RunExecutor& executor);

    // The check of "Visualizza spettro" on the record as it stands now: W, f segnale and
    // f disturbo must be whole numbers, tested in that order. Returns the refusal
    // message, which is also kept as messageText().
    std::optional<std::string> requestSpectrumWindow();

    // Each sets its peak to the largest magnitude of its array over the current
    // sampleCount: inputSignal and outputSignal over 0..N, spectrumMag over 1..N - 1.
    // After a refused request N may exceed the arrays of the last run; the search then
    // stops at their last element.
    void findInputPeak();
    void findOutputPeak();
    void findSpectrumPeak();

    const RunParameters& parameters() const { return m_record.parameters; }
    std::int32_t periodCount() const { return m_record.periodCount; }
    double spectrumScale() const { return m_record.spectrumScale; }
    const std::string& messageText() const { return m_messageText; }

    const SignalArrays& arrays() const { return m_arrays; }
    // The entries and filter setting of the run whose results arrays() holds; nothing
    // before the first run has completed. A run being computed, or cancelled, leaves
    // it as it is, with the arrays.
    const std::optional<CompletedRun>& completedRun() const { return m_completedRun; }
    double inputPeak() const { return m_inputPeak; }
    double outputPeak() const { return m_outputPeak; }
    double spectrumPeak() const { return m_spectrumPeak; }

    // The DC component of the last run, spectrumMag(0) / 2 (the absolute mean of the
    // input), or 0 before the first run.
    double dcComponent() const;

private:
    // Shows the waveform window and draws the arrays of a completed job, which become
    // the module's.
    void runComputation(RunHost& host, SignalArrays arrays);

    RunRecord m_record;
    std::string m_messageText;
    SignalArrays m_arrays;
    std::optional<CompletedRun> m_completedRun;
    double m_inputPeak = 0;
    double m_outputPeak = 0;
    double m_spectrumPeak = 0;
};
