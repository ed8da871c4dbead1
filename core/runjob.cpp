// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/runjob.h"

#include "core/bandstop.h"
#include "core/fasttransform.h"
#include "core/synthesis.h"
#include "core/transform.h"
#include "core/vectorstate.h"

#include <cassert>
#include <cstddef>
#include <new>
#include <vector>

RunJob::RunJob(const RunRecord& record, bool filterOn) : m_record(record), m_filterOn(filterOn)
{
}

std::int64_t RunJob::sineCosinePairs() const
{
    const std::int64_t n = sampleCount();
    return (highestLine(sampleCount()) + std::int64_t{1}) * n + n * n;
}

namespace {

// Fills an array with the N + 1 zeros a step of the run starts from, in the room
// reserved for them.
void fillWithZeros(std::vector<double>& array, std::size_t size)
{
    assert(array.capacity() >= size);
    array.assign(size, 0.0);
}

}  // namespace

bool RunJob::compute(RunControl& control)
{
    cleanVectorState();
    const RunParameters& p = m_record.parameters;
    const std::int32_t n = p.sampleCount;
    const auto size = static_cast<std::size_t>(n) + 1;
    // Room for all five arrays is asked for at once, so that a run the memory cannot
    // hold is refused before its long arithmetic starts. The system gives memory only
    // to what is written, so each array is filled when its step comes: a run cancelled
    // in the transform has not taken the memory of the spectrum and of Vr(t).
    try {
        for (std::vector<double>* array :
             {&m_arrays.inputSignal, &m_arrays.spectrumRe, &m_arrays.spectrumIm,
              &m_arrays.spectrumMag, &m_arrays.outputSignal})
            array->reserve(size);
    } catch (const std::bad_alloc&) {
        m_arrays = {};
        m_outOfMemory = true;
        return false;
    }
    fillWithZeros(m_arrays.inputSignal, size);
    synthesiseInput(m_record.signalType, p, m_record.periodCount, m_arrays.inputSignal);

    // One unit of work a line of the transform (0..K) or a sample of the reconstruction
    // (0..N): each costs N sine-and-cosine pairs.
    control.setTotalWork(highestLine(n) + std::int64_t{1} + n + 1);
    const TransformOptions options{.control = &control};
    fillWithZeros(m_arrays.spectrumRe, size);
    fillWithZeros(m_arrays.spectrumIm, size);
    if (!fastForwardTransform(m_arrays.inputSignal, n, p.windowTime, m_arrays.spectrumRe,
                              m_arrays.spectrumIm, options))
        return false;
    if (m_filterOn) {
        applyBandStop(stopBandLines(n, p.windowTime, p.stopLowFreq, p.stopHighFreq),
                      m_arrays.spectrumRe, m_arrays.spectrumIm);
    }
    fillWithZeros(m_arrays.spectrumMag, size);
    amplitudeSpectrum(m_arrays.spectrumRe, m_arrays.spectrumIm, n, p.windowTime,
                      m_arrays.spectrumMag);
    fillWithZeros(m_arrays.outputSignal, size);
    return fastInverseTransform(m_arrays.spectrumRe, m_arrays.spectrumIm, n, p.windowTime,
                                m_arrays.outputSignal, options);
}
