// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/runparameters.h"
#include "core/signaltype.h"

#include <cstdint>
#include <span>

// 2 pi f t at t = n W / N, formed as (((n * twoPi) * f) * W) / N.
double phase(std::int32_t n, double frequency, double windowTime, std::int32_t sampleCount);

// V(t), the signal `type` with its disturbance, written into `input`, which holds
// N + 1 zeros: the sine signal or the pulse train below. Only the chosen signal is
// computed.
void synthesiseInput(SignalType type, const RunParameters& parameters, std::int32_t periodCount,
                     std::span<double> input);

// The sine signal with its DC component and the disturbance, at every sample 0..N.
// Requires N >= 1 and N + 1 elements.
void synthesiseSine(const RunParameters& parameters, std::span<double> signal);

// The pulse train with the disturbance: the high and low part of each of the
// periodCount periods, in that order; samples no part covers keep their value (0 in a
// run's arrays). Requires N >= 1, N + 1 elements and N * periodCount within the 32-bit
// range; a part that would reach outside 0..N (a duty cycle outside 0..1) is cut at
// the ends of the array.
void synthesisePulseTrain(const RunParameters& parameters, std::int32_t periodCount,
                          std::span<double> signal);
