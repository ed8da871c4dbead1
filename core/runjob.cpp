// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/runjob.h"

#include "core/bandstop.h"
#include "core/fasttransform.h"
#include "core/synthesis.h"
#include "core/transform.h"
#include "core/vectorstate.h"

#include <new>

RunJob::RunJob(const RunRecord& record, bool filterOn) : m_record(record), m_filterOn(filterOn)
{
}

std::int64_t RunJob::sineCosinePairs() const
{
    const std::int64_t n = sampleCount();
    return (highestLine(sampleCount()) + std::int64_t{1}) * n + n * n;
}

bool RunJob::compute(RunControl& control)
{
    cleanVectorState();
    const RunParameters& p = m_record.parameters;
    const std::int32_t n = p.sampleCount;
    try {
        m_arrays = makeSignalArrays(n);
    } catch (const std::bad_alloc&) {
        m_arrays = {};
        m_outOfMemory = true;
        return false;
    }
    synthesiseInput(m_record.signalType, p, m_record.periodCount, m_arrays.inputSignal);

    // One unit of work a line of the transform or a sample of the reconstruction:
    // each costs N sine-and-cosine pairs.
    control.setTotalWork(highestLine(n) + std::int64_t{1} + n);
    const TransformOptions options{.control = &control};
    if (!fastForwardTransform(m_arrays.inputSignal, n, p.windowTime, m_arrays.spectrumRe,
                              m_arrays.spectrumIm, options))
        return false;
    if (m_filterOn) {
        applyBandStop(stopBandLines(n, p.windowTime, p.stopLowFreq, p.stopHighFreq),
                      m_arrays.spectrumRe, m_arrays.spectrumIm);
    }
    amplitudeSpectrum(m_arrays.spectrumRe, m_arrays.spectrumIm, n, p.windowTime,
                      m_arrays.spectrumMag);
    return fastInverseTransform(m_arrays.spectrumRe, m_arrays.spectrumIm, n, p.windowTime,
                                m_arrays.outputSignal, options);
}
