// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/computationmodule.h"

#include "core/messages.h"
#include "core/peaks.h"

#include <utility>

std::variant<RunOutcome, std::unique_ptr<RunJob>>
ComputationModule::checkRun(const RunRequest& request)
{
    // The request is checked on a copy of the record: a refused request keeps what it
    // read, while a run that does not complete leaves no trace at all.
    RunRecord record = m_record;
    if (auto refusal = validateRunRequest(request, record)) {
        m_record = record;
        m_record.messageText = *refusal;
        return RunOutcome::refused(std::move(*refusal));
    }
    return std::make_unique<RunJob>(record, request.filterOn());
}

RunOutcome ComputationModule::finishRun(std::unique_ptr<RunJob> job, bool completed)
{
    if (!completed) {
        if (!job->outOfMemory())
            return RunOutcome::cancelled();
        m_record.messageText = messages::outOfMemory;
        return RunOutcome::refused(m_record.messageText);
    }
    // The job took the record when the request was accepted; the message is the one
    // kept since, which a run does not change.
    std::string message = std::move(m_record.messageText);
    m_record = job->record();
    m_record.messageText = std::move(message);
    auto run = std::make_shared<CompletedRun>(CompletedRun{.parameters = m_record.parameters,
                                                           .filterOn = job->filterOn(),
                                                           .spectrumScale = m_record.spectrumScale,
                                                           .arrays = job->takeArrays()});
    const std::int32_t n = run->parameters.sampleCount;
    run->inputPeak = findInputPeak(run->arrays, n);
    run->outputPeak = findOutputPeak(run->arrays, n);
    run->spectrumPeak = findSpectrumPeak(run->arrays, n);
    m_completedRun = run;
    return RunOutcome::completed(std::move(run));
}

std::optional<std::string> ComputationModule::requestSpectrumWindow()
{
    if (!m_completedRun)
        return std::nullopt;
    const std::optional<std::string_view> refusal =
        spectrumWindowRefusal(m_completedRun->parameters);
    if (!refusal)
        return std::nullopt;
    m_record.messageText = *refusal;
    return m_record.messageText;
}

const SignalArrays& ComputationModule::arrays() const
{
    static const SignalArrays none;
    return m_completedRun ? m_completedRun->arrays : none;
}

double ComputationModule::dcComponent() const
{
    return dcValue(arrays());
}
