// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/signalarrays.h"

#include <cstdint>

// The three peak searches that scale the plots, over the sample count N given (the
// current request's, which after a refused request may differ from the arrays'):
// inputSignal and outputSignal over 0..N, spectrumMag over 1..N - 1. A search stops at
// the last element of its array when N reaches past it.
double findInputPeak(const SignalArrays& arrays, std::int32_t sampleCount);
double findOutputPeak(const SignalArrays& arrays, std::int32_t sampleCount);
double findSpectrumPeak(const SignalArrays& arrays, std::int32_t sampleCount);
