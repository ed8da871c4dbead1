// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/runtables.h"

#include "core/bandstop.h"
#include "core/transform.h"
#include "core/vectorstate.h"

#include <cassert>
#include <charconv>
#include <cstddef>
#include <cstdint>

namespace {

// 17 significant digits always suffice to tell two doubles apart, so a reader that
// rounds correctly gets back the same value. to_chars ignores the locale: the decimal
// separator is always the point.
void appendNumber(std::string& text, double value)
{
    char buffer[32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 17);
    assert(result.ec == std::errc());
    text.append(buffer, result.ptr);
}

void appendIndex(std::string& text, std::int32_t index)
{
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, index);
    assert(result.ec == std::errc());
    text.append(buffer, result.ptr);
}

bool inRange(const LineRange& range, std::int32_t line)
{
    return range.first <= line && line <= range.last;
}

std::size_t index(std::int32_t n)
{
    return static_cast<std::size_t>(n);
}

}  // namespace

// Both tables are made on the UI thread, where the windows draw: see vectorstate.h.
std::string waveformTable(const CompletedRun& run)
{
    cleanVectorState();
    const SignalArrays& arrays = run.arrays;
    const std::int32_t count = run.parameters.sampleCount;
    const double windowTime = run.parameters.windowTime;
    assert(count >= 1 && arrays.inputSignal.size() == index(count) + 1 &&
           arrays.outputSignal.size() == index(count) + 1);

    std::string text = "n\tt [s]\tV(t)\tVr(t)\n";
    for (std::int32_t n = 0; n <= count; ++n) {
        appendIndex(text, n);
        text += '\t';
        appendNumber(text, static_cast<double>(n) * windowTime / static_cast<double>(count));
        text += '\t';
        appendNumber(text, arrays.inputSignal[index(n)]);
        text += '\t';
        appendNumber(text, arrays.outputSignal[index(n)]);
        text += '\n';
    }
    return text;
}

std::string spectrumTable(const CompletedRun& run)
{
    cleanVectorState();
    const SignalArrays& arrays = run.arrays;
    const RunParameters& p = run.parameters;
    const std::int32_t count = p.sampleCount;
    assert(count >= 1 && arrays.spectrumMag.size() == index(count) + 1);

    // The run zeroed these lines, and only these, when its filter was on.
    const auto stopped = stopBandLines(count, p.windowTime, p.stopLowFreq, p.stopHighFreq);
    const auto zeroed = [&](std::int32_t k) {
        return run.filterOn && (inRange(stopped[0], k) || inRange(stopped[1], k));
    };

    std::string text = "k\tf [Hz]\tS(f)\tazzerata dal filtro\n";
    const std::int32_t last = highestLine(count);
    for (std::int32_t k = 0; k <= last; ++k) {
        appendIndex(text, k);
        text += '\t';
        appendNumber(text, static_cast<double>(k) / p.windowTime);
        text += '\t';
        appendNumber(text, arrays.spectrumMag[index(k)]);
        text += '\t';
        text += zeroed(k) ? "sì" : "no";
        text += '\n';
    }
    return text;
}
