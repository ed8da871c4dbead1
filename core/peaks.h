// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/signalarrays.h"

#include <cstdint>
#include <span>

// The largest absolute value of values[first..last], found the way the plots are
// scaled: the peak starts as values[first] with its sign, and every element from
// `first` to `last` whose magnitude is at least the current peak replaces it. So a
// negative first element turns positive at once, and when last < first the result is
// values[first] as stored.
//
// Indices beyond the end of `values` are not read: `last` is cut back to the final
// element. With nothing to read at `first` the peak is 0.
double findPeak(std::span<const double> values, long long first, long long last);

// The three peak searches that scale the plots of a run of N samples: inputSignal and
// outputSignal over 0..N, spectrumMag over 1..N - 1. A search stops at the last
// element of its array when N reaches past it.
double findInputPeak(const SignalArrays& arrays, std::int32_t sampleCount);
double findOutputPeak(const SignalArrays& arrays, std::int32_t sampleCount);
double findSpectrumPeak(const SignalArrays& arrays, std::int32_t sampleCount);
