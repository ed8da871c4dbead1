// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/computationmodule.h"
#include "core/runparameters.h"
#include "core/runrequest.h"
#include "core/runvalidation.h"
#include "core/signaltype.h"
#include "recordingplots.h"
#include "runthrough.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <numbers>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace testsupport {

// Names the instances of a parameterised test after the `name` of their case.
struct ByName {
    template <typename Case>
    std::string operator()(const testing::TestParamInfo<Case>& param) const
    {
        return param.param.name;
    }
};

// The parameter record that the parameter window's default entries produce.
inline RunParameters defaultParameters()
{
    RunRecord record;
    EXPECT_EQ(validateRunRequest(RunRequest{}, record), std::nullopt);
    return record.parameters;
}

// sin(2 pi f t) at t = n W / N with the true pi, in extended precision: the reference
// the synthesised samples are held against. The program's phase constant is 6.2e-15
// short of 2 pi, so the two agree to about 1e-12 for the phases of these tests.
inline long double trueSine(std::int64_t n, long double frequency, long double windowTime,
                            std::int64_t sampleCount)
{
    const long double pi = std::numbers::pi_v<long double>;
    return std::sin(2.0L * pi * frequency * windowTime * static_cast<long double>(n) /
                    static_cast<long double>(sampleCount));
}

inline double largestMagnitude(std::span<const double> values)
{
    double peak = 0;
    for (double v : values)
        peak = std::max(peak, std::fabs(v));
    return peak;
}

// Entry texts by field, for tables of run requests.
namespace entry {
constexpr auto fi = &RunEntries::stopLowFreq;
constexpr auto fs = &RunEntries::stopHighFreq;
constexpr auto amplitude = &RunEntries::signalAmplitude;
constexpr auto noise = &RunEntries::noiseAmplitude;
constexpr auto offset = &RunEntries::signalOffset;
constexpr auto W = &RunEntries::windowTime;
constexpr auto N = &RunEntries::sampleCount;
constexpr auto r = &RunEntries::dutyCycle;
constexpr auto fSignal = &RunEntries::signalFreq;
constexpr auto fNoise = &RunEntries::noiseFreq;
constexpr auto ke = &RunEntries::freqAxisZoom;
}  // namespace entry

using EntryText = std::pair<std::string RunEntries::*, const char*>;

// The default entries with some of them retyped.
inline RunEntries entriesWith(const std::vector<EntryText>& changes)
{
    RunEntries entries;
    for (const auto& [field, text] : changes)
        entries.*field = text;
    return entries;
}

// The request of these entries, the sine signal chosen and the filter on unless said.
inline RunRequest requestOf(const RunEntries& entries, std::string_view signal = sineSignalItem,
                            bool filterOn = true, bool filterOff = false)
{
    return RunRequest{entries, std::string(signal), filterOn, filterOff};
}

// A module and its two plots, with a helper for one run request computed in place and
// shown on the plots as the parameter window shows it.
struct Session {
    ComputationModule module;
    RecordingPlots plots;

    // The refusal message, or nothing for a completed run.
    std::optional<std::string> run(const RunEntries& entries = {},
                                   std::string_view signal = sineSignalItem, bool filterOn = true,
                                   bool filterOff = false)
    {
        return show(runThrough(module, requestOf(entries, signal, filterOn, filterOff)));
    }

    // Shows the outcome of a request on the plots; returns its refusal message.
    std::optional<std::string> show(const RunOutcome& outcome)
    {
        EXPECT_NE(outcome.kind, RunOutcome::Kind::cancelled);
        plots.show(outcome);
        return outcome.refusal();
    }
};

// The spectral lines whose real and imaginary parts are both exactly 0 in `filtered`
// although they are not in `unfiltered`: the lines a band stop removed.
inline std::set<std::int32_t> removedLines(const SignalArrays& unfiltered,
                                           const SignalArrays& filtered)
{
    std::set<std::int32_t> removed;
    for (std::size_t k = 0; k < filtered.spectrumRe.size(); ++k) {
        const bool zero = filtered.spectrumRe[k] == 0.0 && filtered.spectrumIm[k] == 0.0;
        const bool wasZero = unfiltered.spectrumRe[k] == 0.0 && unfiltered.spectrumIm[k] == 0.0;
        if (zero && !wasZero)
            removed.insert(static_cast<std::int32_t>(k));
    }
    return removed;
}

inline std::set<std::int32_t>
lineSet(std::initializer_list<std::pair<std::int32_t, std::int32_t>> ranges)
{
    std::set<std::int32_t> lines;
    for (auto [first, last] : ranges)
        for (std::int32_t k = first; k <= last; ++k)
            lines.insert(k);
    return lines;
}

}  // namespace testsupport
