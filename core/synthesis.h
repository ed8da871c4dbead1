// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/runparameters.h"
#include "core/signalarrays.h"

#include <cstdint>
#include <string_view>

// Fresh arrays for a run of N samples: seven arrays of N + 1 zeros. Nothing of an
// earlier run survives. Requires N >= 0.
SignalArrays makeSignalArrays(std::int32_t sampleCount);

// 2 pi f t at t = n W / N, formed as (((n * twoPi) * f) * W) / N.
double phase(std::int32_t n, double frequency, double windowTime, std::int32_t sampleCount);

// Fills sineSignal (indices 0..N) and pulseSignal (the high and low part of each of
// the periodCount periods; indices no part covers keep 0). Requires N >= 1 and
// N * periodCount within the 32-bit range; a part that would reach outside 0..N
// (a duty cycle outside 0..1) is cut at the ends of the array.
void synthesiseSignals(const RunParameters& parameters, std::int32_t periodCount,
                       SignalArrays& arrays);

// Copies the chosen signal into inputSignal: the sine signal when the drop-down shows
// the sine item, the pulse train when it shows the pulse item, else inputSignal stays
// 0.
void selectInputSignal(std::string_view signalTypeText, SignalArrays& arrays);
