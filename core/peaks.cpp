// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/peaks.h"

#include <cmath>

double findPeak(std::span<const double> values, long long first, long long last)
{
    const auto size = static_cast<long long>(values.size());
    if (first < 0 || first >= size)
        return 0;
    if (last >= size)
        last = size - 1;

    double peak = values[static_cast<std::size_t>(first)];
    for (long long i = first; i <= last; ++i) {
        const double magnitude = std::fabs(values[static_cast<std::size_t>(i)]);
        if (magnitude >= peak)
            peak = magnitude;
    }
    return peak;
}

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
