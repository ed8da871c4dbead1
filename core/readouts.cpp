// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/readouts.h"

#include "core/numberformat.h"

#include <cmath>

namespace {

constexpr std::string_view notANumber = "---";

std::string fixed(double value, std::string_view separator)
{
    return std::isfinite(value) ? formatFixed2(value, separator) : std::string(notANumber);
}

std::string scientific(double value, std::string_view separator)
{
    return std::isfinite(value) ? formatScientific2(value, separator) : std::string(notANumber);
}

}  // namespace

std::string waveformReadout(const ComputationModule& module, WaveformCurve curve, float x, float y,
                            std::string_view decimalSeparator)
{
    const CompletedRun* run = module.completedRun().get();
    if (run == nullptr)
        return {};
    const double t = static_cast<double>(x) / 100 * run->parameters.windowTime;
    double v = 0;
    if (curve == WaveformCurve::input)
        v = (static_cast<double>(y) - 75) * run->inputPeak / 20;
    else
        v = (static_cast<double>(y) - 25) * run->outputPeak / 20;
    return "t= " + fixed(t, decimalSeparator) + " sec" + " ; " +
           (curve == WaveformCurve::input ? "V(t) = " : "Vr(t) = ") +
           scientific(v, decimalSeparator) + " V";
}

std::string spectrumReadout(const ComputationModule& module, float x, float y,
                            std::string_view decimalSeparator)
{
    const CompletedRun* run = module.completedRun().get();
    if (run == nullptr)
        return {};
    const RunParameters& p = run->parameters;
    const double f = static_cast<double>(x) / 200 *
                     (static_cast<double>(p.sampleCount) / p.windowTime) / run->spectrumScale;
    const double s = static_cast<double>(y) * run->spectrumPeak / 90;
    return "f= " + fixed(f, decimalSeparator) + " Hz" + " ; " +
           "S(f) = " + scientific(s, decimalSeparator) + " V";
}
