// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/computationmodule.h"

#include <string>
#include <string_view>

// The cursor readouts of the two plots: the inverse of each plot's mapping, applied to
// the cursor position in the plot's user coordinates (0..100 across, 0..100 upwards).
// They read the record as it stands now, so after a refused request they use its N
// and W with the arrays of the last run. Each searches the peak it scales by afresh,
// over that N, and changes nothing.
// A number that cannot be formed (W of 0 or beyond the double range, possible only
// after a refused request) shows as "---".

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
