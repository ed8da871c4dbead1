// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/runtables.h"

#include "core/bandstop.h"
#include "core/transform.h"
#include "core/vectorstate.h"

#include <cassert>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string_view>

namespace {

// to_chars without a precision gives the shortest digits that read back as the same
// double, in fixed or scientific notation, whichever is shorter; it ignores the C
// locale, so the point is replaced here by the spreadsheet's separator.
void appendNumber(std::string& text, double value, const TableFormat& format)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    assert(result.ec == std::errc());
    const std::string_view digits(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const std::size_t point = digits.find('.');
    if (point == std::string_view::npos) {
        text += digits;
        return;
    }
    const bool quoted =
        format.quoteCommas && format.decimalSeparator.find(',') != std::string_view::npos;
    if (quoted)
        text += '"';
    text += digits.substr(0, point);
    text += format.decimalSeparator;
    text += digits.substr(point + 1);
    if (quoted)
        text += '"';
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

// The S(f) column's header, which tells what line 0 holds.
constexpr std::string_view spectrumColumn = "S(f) (k = 0: D.C. = S(0)/2)";

void appendRow(std::string& text, std::initializer_list<std::string_view> fields,
               const TableFormat& format)
{
    bool first = true;
    for (std::string_view field : fields) {
        if (!first)
            text += format.fieldSeparator;
        text += field;
        first = false;
    }
    text += '\n';
}

}  // namespace

TableFormat csvFormat(std::string_view decimalSeparator)
{
    return {decimalSeparator == "." ? "," : ";", decimalSeparator, true};
}

// Both tables are made on the UI thread, where the windows draw: see vectorstate.h.
std::string waveformTable(const CompletedRun& run, const TableFormat& format)
{
    cleanVectorState();
    const SignalArrays& arrays = run.arrays;
    const std::int32_t count = run.parameters.sampleCount;
    const double windowTime = run.parameters.windowTime;
    assert(count >= 1 && arrays.inputSignal.size() == index(count) + 1 &&
           arrays.outputSignal.size() == index(count) + 1);

    std::string text;
    appendRow(text, {"n", "t [s]", "V(t)", "Vr(t)"}, format);
    for (std::int32_t n = 0; n <= count; ++n) {
        appendIndex(text, n);
        text += format.fieldSeparator;
        appendNumber(text, static_cast<double>(n) * windowTime / static_cast<double>(count),
                     format);
        text += format.fieldSeparator;
        appendNumber(text, arrays.inputSignal[index(n)], format);
        text += format.fieldSeparator;
        appendNumber(text, arrays.outputSignal[index(n)], format);
        text += '\n';
    }
    return text;
}

std::string spectrumTable(const CompletedRun& run, const TableFormat& format)
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

    // S(0) is twice the mean of the input; the window shows the D.C. value, its half,
    // and so does line 0 here, so that the table and the window never disagree.
    std::string text;
    appendRow(text, {"k", "f [Hz]", spectrumColumn, "azzerata dal filtro"}, format);
    const std::int32_t last = highestLine(count);
    for (std::int32_t k = 0; k <= last; ++k) {
        appendIndex(text, k);
        text += format.fieldSeparator;
        appendNumber(text, static_cast<double>(k) / p.windowTime, format);
        text += format.fieldSeparator;
        appendNumber(text, k == 0 ? dcValue(arrays) : arrays.spectrumMag[index(k)], format);
        text += format.fieldSeparator;
        text += zeroed(k) ? "sì" : "no";
        text += '\n';
    }
    return text;
}
