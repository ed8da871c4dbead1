// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/completedrun.h"
#include "core/runjob.h"
#include "core/runoutcome.h"
#include "core/runparameters.h"
#include "core/runrequest.h"
#include "core/runvalidation.h"
#include "core/signalarrays.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>

// All the state of the program's computation: the record of the current request, the
// last completed run and the last refusal message. The application owns one; the
// windows read it and only a request writes it.
class ComputationModule {
public:
    // The run request of "Grafici", in two halves, so that the caller decides where the
    // arithmetic runs (the windows put a long run on a worker thread behind the progress
    // dialog) and learns of its end when it comes.
    //
    // checkRun reads and checks the entries. A refused request stores the entries it read
    // in the record, keeps its message as messageText() and comes back as its outcome;
    // nothing is computed. An accepted one comes back as the job that computes it, and
    // nothing in the module changes until finishRun.
    std::variant<RunOutcome, std::unique_ptr<RunJob>> checkRun(const RunRequest& request);

    // The outcome of an accepted request whose job has ended. A completed job becomes the
    // module's completedRun() and comes back with the outcome; showing it is the windows'
    // business. A job cancelled part way leaves everything as it was before the request,
    // the record and the last completed run, and so does one whose arrays did not fit in
    // memory, which is refused with a message.
    RunOutcome finishRun(std::unique_ptr<RunJob> job, bool completed);

    // The check of "Visualizza spettro" on the parameters of the last completed run, the
    // one the plots show (see spectrumWindowRefusal). Returns the refusal message, which
    // is also kept as messageText(). Before the first run has completed there is nothing
    // to check, and the window may open, empty.
    std::optional<std::string> requestSpectrumWindow();

    // The record of the latest request, accepted or refused. A refused request stores
    // the entries it read here; what describes the plots is completedRun().
    const RunParameters& parameters() const { return m_record.parameters; }
    std::int32_t periodCount() const { return m_record.periodCount; }
    double spectrumScale() const { return m_record.spectrumScale; }
    // The message of the last refusal; it stays after the message box has closed.
    const std::string& messageText() const { return m_record.messageText; }

    // The run the plots show; nothing before the first run has completed. A run being
    // computed, cancelled or refused leaves it as it is.
    const std::shared_ptr<const CompletedRun>& completedRun() const { return m_completedRun; }

    // The last completed run's arrays (all empty before the first) and the peaks its
    // plots were scaled by (0 before the first).
    const SignalArrays& arrays() const;
    double inputPeak() const { return m_completedRun ? m_completedRun->inputPeak : 0.0; }
    double outputPeak() const { return m_completedRun ? m_completedRun->outputPeak : 0.0; }
    double spectrumPeak() const { return m_completedRun ? m_completedRun->spectrumPeak : 0.0; }

    // The DC component of the last run, spectrumMag(0) / 2 (the absolute mean of the
    // input), or 0 before the first run.
    double dcComponent() const;

private:
    RunRecord m_record;
    std::shared_ptr<const CompletedRun> m_completedRun;
};
