#include "core/computationmodule.h"

#include "core/messages.h"

#include "plot/peaksearch.h"
#include "plot/plotdrawing.h"

#include <cmath>
#include <utility>

namespace {

// Int of the entries is the floor, so -3 is whole and -2.5 (whose Int is -3) is not;
// there is no tolerance, 2.000001 is not whole.
bool hasFraction(double value)
{
    return value - std::floor(value) > 0;
}

}  // namespace

std::optional<std::string> ComputationModule::requestRun(const RunEntries& entries, RunHost& host)
{
    struct InPlace : RunExecutor {
        bool execute(RunJob& job) override
        {
            RunControl control;
            return job.compute(control);
        }
    } inPlace;
    return requestRun(entries, host, inPlace);
}

std::optional<std::string> ComputationModule::requestRun(const RunEntries& entries, RunHost& host,
                                                         RunExecutor& executor)
{
    const double lastSpectrumScale = m_record.spectrumScale;
    if (auto refusal = validateRunRequest(entries, host, m_record)) {
        m_messageText = *refusal;
        return refusal;
    }
    // "Filtro OFF" wins; with neither button selected the spectrum stays unfiltered.
    const bool filterOn = !host.filterOffSelected() && host.filterOnSelected();
    RunJob job(m_record, host.signalTypeText(), filterOn);
    if (!executor.execute(job)) {
        m_record.spectrumScale = lastSpectrumScale;
        if (!job.outOfMemory())
            return std::nullopt;
        m_messageText = messages::outOfMemory;
        return m_messageText;
    }
    host.waveformSurface().clear();
    host.spectrumSurface().clear();
    runComputation(host, job.takeArrays());
    m_completedRun = CompletedRun{m_record.parameters, filterOn};
    return std::nullopt;
}

std::optional<std::string> ComputationModule::requestSpectrumWindow()
{
    const RunParameters& p = m_record.parameters;
    std::optional<std::string_view> refusal;
    if (hasFraction(p.windowTime))
        refusal = messages::windowNotWhole;
    else if (hasFraction(p.signalFreq))
        refusal = messages::signalFreqNotWhole;
    else if (hasFraction(p.noiseFreq))
        refusal = messages::noiseFreqNotWhole;
    if (!refusal)
        return std::nullopt;
    m_messageText = *refusal;
    return m_messageText;
}

void ComputationModule::runComputation(RunHost& host, SignalArrays arrays)
{
    host.showWaveformWindow();
    PlotSurface& spectrum = host.spectrumSurface();
    PlotSurface& waveform = host.waveformSurface();
    setPlotScale(spectrum);
    setPlotScale(waveform);
    drawTickMarks(waveform);

    const std::int32_t n = m_record.parameters.sampleCount;
    m_arrays = std::move(arrays);
    findInputPeak();
    findOutputPeak();
    findSpectrumPeak();

    drawCurves(waveform, m_arrays.inputSignal, m_arrays.outputSignal, n, m_inputPeak,
               m_outputPeak);
    drawSpectrumLines(spectrum, m_arrays.spectrumMag, n, m_record.spectrumScale,
                      m_spectrumPeak);
    drawZeroLines(waveform);
}

void ComputationModule::findInputPeak()
{
    m_inputPeak = findPeak(m_arrays.inputSignal, 0, m_record.parameters.sampleCount);
}

void ComputationModule::findOutputPeak()
{
    m_outputPeak = findPeak(m_arrays.outputSignal, 0, m_record.parameters.sampleCount);
}

void ComputationModule::findSpectrumPeak()
{
    m_spectrumPeak = findPeak(m_arrays.spectrumMag, 1,
                              static_cast<long long>(m_record.parameters.sampleCount) - 1);
}

double ComputationModule::dcComponent() const
{
    return m_arrays.spectrumMag.empty() ? 0.0 : m_arrays.spectrumMag.front() / 2;
}
