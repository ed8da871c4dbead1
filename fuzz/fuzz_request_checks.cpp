// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: the checks of "Grafici" alone, without computing a run. Each input
// is a series of requests in the run-request target's line format, checked in turn
// against one record, as the program does. Every request must either be refused with
// exactly one of the program's messages, changing nothing but the entries it read, or
// be accepted with a record that a run can compute: the properties below are worked
// out afresh from the entry texts, not taken from the checks.

#include "core/bandstop.h"
#include "core/integerconversion.h"
#include "core/messages.h"
#include "core/numbertext.h"
#include "core/runjob.h"
#include "core/runvalidation.h"
#include "core/samplecount.h"
#include "fuzz/fuzzedrequest.h"
#include "fuzzcheck.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace {

constexpr std::array<std::string_view, 10> requestMessages = {
    messages::zoomZero,          messages::frequencyTooHigh, messages::bandReversed,
    messages::signalTypeMissing, messages::valueOutOfRange,  messages::sampleCountOutOfRange,
    messages::windowZero,        messages::tooManyPeriods,   messages::dutyCycleOutOfRange,
    messages::frequencySumZero,
};

constexpr std::array<std::string RunEntries::*, 11> entryFields = {
    &RunEntries::stopLowFreq,    &RunEntries::stopHighFreq, &RunEntries::signalAmplitude,
    &RunEntries::noiseAmplitude, &RunEntries::signalOffset, &RunEntries::windowTime,
    &RunEntries::sampleCount,    &RunEntries::dutyCycle,    &RunEntries::signalFreq,
    &RunEntries::noiseFreq,      &RunEntries::freqAxisZoom,
};

// The record's fields in reading order, N as a double.
std::array<double, 11> fields(const RunParameters& p)
{
    return {p.stopLowFreq,
            p.stopHighFreq,
            p.signalAmplitude,
            p.noiseAmplitude,
            p.signalOffset,
            p.windowTime,
            static_cast<double>(p.sampleCount),
            p.dutyCycle,
            p.signalFreq,
            p.noiseFreq,
            p.freqAxisZoom};
}

// What the entry text reads as in its field, or nothing when it does not fit.
std::optional<double> entryValue(const RunEntries& entries, std::size_t field)
{
    const std::optional<double> value = readNumber(entries.*entryFields[field]);
    if (!value || entryFields[field] != &RunEntries::sampleCount)
        return value;
    const auto count = roundToInt32(*value);
    return count ? std::optional<double>(*count) : std::nullopt;
}

bool same(double a, double b)
{
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

bool ordinary(double value)
{
    return value == 0 || (std::fabs(value) >= 1e-15 && std::fabs(value) <= 1e15);
}

void checkRefusal(const RunRecord& before, const RunRecord& after, const RunRequest& request,
                  const std::string& message)
{
    require(std::find(requestMessages.begin(), requestMessages.end(), message) !=
                requestMessages.end(),
            "a request was refused with a text that is none of the program's messages");
    require(same(after.spectrumScale, before.spectrumScale),
            "a refused request changed the spectrum scale");
    // Entries are stored as they are read, up to the first that does not fit: each
    // field holds either what it held or what its text reads as.
    const auto was = fields(before.parameters), now = fields(after.parameters);
    bool reading = true;
    for (std::size_t f = 0; f < now.size(); ++f) {
        const auto value = entryValue(request.entries, f);
        reading = reading && value.has_value();
        require(same(now[f], was[f]) || (reading && same(now[f], *value)),
                "a refused request stored something its entries do not read as");
    }
}

void checkAccepted(const RunRecord& record, const RunRequest& request)
{
    const RunParameters& p = record.parameters;
    const auto now = fields(p);
    for (std::size_t f = 0; f < now.size(); ++f) {
        const auto value = entryValue(request.entries, f);
        require(value && same(now[f], *value), "an accepted record differs from its entries");
        require(entryFields[f] == &RunEntries::sampleCount || ordinary(now[f]),
                "a value of extreme magnitude was accepted");
    }
    const std::int32_t n = p.sampleCount;
    require(n >= 1 && n <= maxDrawableSampleCount, "an undrawable sample count was accepted");
    require(p.windowTime != 0 && p.freqAxisZoom != 0, "W or ke of 0 was accepted");
    require(request.signalTypeText == sineSignalItem || request.signalTypeText == pulseSignalItem,
            "a request without a signal was accepted");
    const SignalType chosen =
        request.signalTypeText == sineSignalItem ? SignalType::sine : SignalType::pulseTrain;
    require(record.signalType == chosen, "the record holds another signal than the drop-down's");
    require(request.signalTypeText != pulseSignalItem || (p.dutyCycle >= 0 && p.dutyCycle <= 1),
            "a pulse train with a duty cycle outside 0..1 was accepted");
    require(p.stopLowFreq <= p.stopHighFreq, "a reversed band was accepted");
    const double limit = static_cast<double>(n) * 0.99 / (p.windowTime + p.windowTime);
    for (double f : {p.stopLowFreq, p.stopHighFreq, p.signalFreq, p.noiseFreq})
        require(f < limit, "a frequency at or above the limit was accepted");

    const auto periods = roundToInt32(p.signalFreq * p.windowTime);
    require(periods && *periods == record.periodCount, "the period count is wrong");
    require(record.periodCount <= n &&
                std::abs(static_cast<std::int64_t>(n) * record.periodCount) <= INT32_MAX,
            "more periods were accepted than the pulse train can be formed of");
    require(p.signalFreq + p.noiseFreq != 0, "a zero sum of frequencies was accepted");
    require(std::isfinite(record.spectrumScale) && record.spectrumScale != 0,
            "the spectrum scale is not a finite, non-zero number");

    // The quantities a run is sized by.
    const RunJob job(record, request.filterOn());
    const std::int64_t size = static_cast<std::int64_t>(n) + 1;
    require(job.sineCosinePairs() > 0 && job.sineCosinePairs() <= 2 * size * size,
            "the work of the run is miscounted");
    for (const LineRange& range : stopBandLines(n, p.windowTime, p.stopLowFreq, p.stopHighFreq))
        require(range.first > range.last || (range.first >= 0 && range.last <= n),
                "the stop band reaches outside the arrays");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    RunRecord record;
    for (const FuzzedRequest& fuzzed : splitFuzzedRequests({data, size})) {
        const RunRecord before = record;
        if (const auto refusal = validateRunRequest(fuzzed.request, record))
            checkRefusal(before, record, fuzzed.request, *refusal);
        else
            checkAccepted(record, fuzzed.request);
    }
    return 0;
}
