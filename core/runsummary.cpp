// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/runsummary.h"

#include "core/numberformat.h"
#include "core/samplecount.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

namespace {

std::string sizes(const CompletedRun& run, std::string_view separator)
{
    return "N = " + std::to_string(run.parameters.sampleCount) +
           ", W = " + formatShortest(run.parameters.windowTime, separator) + " sec";
}

}  // namespace

std::string waveformSummary(const CompletedRun& run, std::string_view decimalSeparator)
{
    return "V(t): picco " + formatScientific2(run.inputPeak, decimalSeparator) + " V; " +
           "Vr(t): picco " + formatScientific2(run.outputPeak, decimalSeparator) + " V; " +
           sizes(run, decimalSeparator);
}

std::string spectrumSummary(const CompletedRun& run, std::string_view decimalSeparator)
{
    const std::vector<double>& magnitude = run.arrays.spectrumMag;
    const double dc = magnitude.empty() ? 0.0 : magnitude.front() / 2;
    std::string text = "D.C.: " + formatScientific2(dc, decimalSeparator) + " V; ";

    const std::int32_t lastLine = highestLine(run.parameters.sampleCount);
    std::int32_t tallest = 0;
    double height = 0;
    for (std::int32_t k = 1; k <= lastLine && static_cast<std::size_t>(k) < magnitude.size(); ++k) {
        const double line = std::fabs(magnitude[static_cast<std::size_t>(k)]);
        if (line > height) {
            tallest = k;
            height = line;
        }
    }
    if (tallest == 0)
        text += "nessuna riga oltre la D.C.; ";
    else
        text += "riga più alta: f = " +
                formatFixed2(tallest / run.parameters.windowTime, decimalSeparator) +
                " Hz, S(f) = " + formatScientific2(height, decimalSeparator) + " V; ";
    return text + sizes(run, decimalSeparator);
}
