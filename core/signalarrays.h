// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

// The five arrays of a run, each indexed 0..N. Sample index n stands for the time
// n * W / N, spectrum index k for the frequency k / W, and index N - k holds the
// mirror image of line k.
struct SignalArrays {
    std::vector<double> inputSignal;  // V(t), the chosen signal
    std::vector<double> spectrumRe;
    std::vector<double> spectrumIm;
    std::vector<double> spectrumMag;   // S(f)
    std::vector<double> outputSignal;  // Vr(t)

    bool operator==(const SignalArrays&) const = default;
};

// The D.C. value: half of S(0), which is twice the absolute mean of V(t) over the
// window (0 before any run). The spectrum window shows it beside the plot, and the
// spectrum's table gives it on line 0.
inline double dcValue(const SignalArrays& arrays)
{
    return arrays.spectrumMag.empty() ? 0.0 : arrays.spectrumMag.front() / 2;
}
