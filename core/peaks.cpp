// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/peaks.h"

#include "plot/peaksearch.h"

double findInputPeak(const SignalArrays& arrays, std::int32_t sampleCount)
{
    return findPeak(arrays.inputSignal, 0, sampleCount);
}

double findOutputPeak(const SignalArrays& arrays, std::int32_t sampleCount)
{
    return findPeak(arrays.outputSignal, 0, sampleCount);
}

double findSpectrumPeak(const SignalArrays& arrays, std::int32_t sampleCount)
{
    return findPeak(arrays.spectrumMag, 1, static_cast<long long>(sampleCount) - 1);
}
