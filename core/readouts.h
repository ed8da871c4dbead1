// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/computationmodule.h"

#include <string>
#include <string_view>

// The cursor readouts of the two plots: the inverse of each plot's mapping, applied to
// the cursor position in the plot's user coordinates (0..100 across, 0..100 upwards).
// They describe the plots on screen: they read the last completed run, its N, W,
// spectrum scale and the peaks its plots were scaled by, whatever a refused request
// has stored in the record since. They search nothing and change nothing.
// Before the first run has completed there is no plot to describe, and a readout is
// empty. A number that cannot be formed (a cursor position that is not a number or
// lies beyond the float range) shows as "---".

enum class WaveformCurve { input, output };

// "t= 0.50 sec ; V(t) = 1.45E+01 V": t = X / 100 * W, and the level at the cursor's
// height on the curve's scale, (Y - 75) * inputPeak / 20 for V(t) or
// (Y - 25) * outputPeak / 20 for Vr(t).
std::string waveformReadout(const ComputationModule& module, WaveformCurve curve, float x, float y,
                            std::string_view decimalSeparator = ".");

// "f= 50.00 Hz ; S(f) = 4.00E+00 V": f = X / 200 * (N / W) / spectrumScale, and
// S = Y * spectrumPeak / 90.
std::string spectrumReadout(const ComputationModule& module, float x, float y,
                            std::string_view decimalSeparator = ".");
