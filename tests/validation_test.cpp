// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/computationmodule.h"
#include "core/messages.h"
#include "core/runvalidation.h"
#include "core/signaltype.h"
#include "tests/testsupport.h"

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace testsupport::entry;
using testsupport::entriesWith;
using testsupport::EntryText;
using testsupport::Session;
namespace msg = messages;

constexpr std::string_view sine = sineSignalItem;
constexpr std::string_view pulse = pulseSignalItem;
constexpr std::string_view instruction = signalTypeInstruction;

// N = 220 (L = 54.45): cheap to run, and it leaves arrays, peaks and plots behind.
const std::vector<EntryText> smallRun{{N, "220"}};
// N = -1000 with W = -2 gives L = 247.5 again, and negative frequencies lie below it.
const std::vector<EntryText> negativeWindow{{N, "-1000"}, {W, "-2"},       {fi, "-10"},
                                            {fs, "-10"},  {fSignal, "-1"}, {fNoise, "-50"}};
// W = -2 with N = 1000 gives L = -247.5, below which every frequency may lie however
// large its magnitude, and f segnale W is then a period count above N / 2.
const std::vector<EntryText> negativeLimit{{W, "-2"}, {fi, "-300"}, {fs, "-300"}, {fNoise, "-300"}};

std::vector<EntryText> plus(std::vector<EntryText> base, const std::vector<EntryText>& more)
{
    base.insert(base.end(), more.begin(), more.end());
    return base;
}

// ---- refusals: the first failed test decides the message; nothing is cleared, computed
// or drawn

struct RefusalCase {
    const char* name;
    std::string_view message;
    std::vector<EntryText> entries;
    std::string_view signal = sine;
};

void PrintTo(const RefusalCase& c, std::ostream* os)
{
    *os << c.name;
}

class Refusal : public testing::TestWithParam<RefusalCase> {};

TEST_P(Refusal, GivesTheFirstFailedTestsMessageAndTouchesNothing)
{
    const RefusalCase& c = GetParam();
    Session s;
    ASSERT_EQ(s.run(entriesWith(smallRun)), std::nullopt);
    const ComputationModule before = s.module;
    s.plots.forgetCalls();

    const std::optional<std::string> result = s.run(entriesWith(c.entries), c.signal);
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(*result, c.message);
    EXPECT_EQ(s.module.messageText(), c.message);
    EXPECT_TRUE(s.plots.untouched()) << "a refused request must neither clear, show nor draw";
    const SignalArrays &a = s.module.arrays(), &b = before.arrays();
    for (auto array :
         {&SignalArrays::inputSignal, &SignalArrays::spectrumRe, &SignalArrays::spectrumIm,
          &SignalArrays::spectrumMag, &SignalArrays::outputSignal})
        EXPECT_EQ(a.*array, b.*array);
    for (auto value : {&ComputationModule::inputPeak, &ComputationModule::outputPeak,
                       &ComputationModule::spectrumPeak, &ComputationModule::spectrumScale,
                       &ComputationModule::dcComponent})
        EXPECT_EQ((s.module.*value)(), (before.*value)());
}

INSTANTIATE_TEST_SUITE_P(
    Table, Refusal,
    testing::Values(
        // ke first; a comma is no decimal separator, so "0,7" reads as 0.
        RefusalCase{"ZoomZero", msg::zoomZero, {{ke, "0"}}},
        RefusalCase{"ZoomWithComma", msg::zoomZero, {{ke, "0,7"}}},
        RefusalCase{"ZoomEmpty", msg::zoomZero, {{ke, ""}}},
        RefusalCase{"ZoomBeforeAll",
                    msg::zoomZero,
                    {{ke, "0"}, {W, "0"}, {N, "100"}, {fSignal, "3e9"}},
                    instruction},
        // The period count R(f segnale W) is formed right after the zoom test.
        RefusalCase{"PeriodCountOverflow", msg::tooManyPeriods, {{fSignal, "3e9"}}},
        RefusalCase{
            "PeriodCountBeforeLimit", msg::tooManyPeriods, {{fSignal, "1e300"}, {N, "100"}}},
        RefusalCase{"HugeWindowPeriods", msg::tooManyPeriods, {{W, "1e15"}}},
        RefusalCase{"WindowZero", msg::windowZero, {{W, "0"}}},
        RefusalCase{"WindowWithComma", msg::windowZero, {{W, "0,5"}}},
        RefusalCase{"WindowZeroBeforeBand", msg::windowZero, {{W, ""}, {fi, "51"}, {fs, "49"}}},
        // L = 0.99 N / (2 W); every frequency strictly below it. 1000 * 0.99 rounds to
        // exactly 990, so with the defaults L is exactly 247.5.
        RefusalCase{"FewSamples", msg::frequencyTooHigh, {{N, "100"}}},
        RefusalCase{"EmptySampleCount", msg::frequencyTooHigh, {{N, ""}}},
        RefusalCase{"NegativeSampleCount", msg::frequencyTooHigh, {{N, "-1000"}}},
        RefusalCase{"LowEdgeAtLimit", msg::frequencyTooHigh, {{fi, "247.5"}, {fs, "247.5"}}},
        RefusalCase{"HighEdgeAtLimit", msg::frequencyTooHigh, {{fs, "247.5"}}},
        RefusalCase{"SignalAtLimit", msg::frequencyTooHigh, {{fSignal, "247.5"}}},
        RefusalCase{"NoiseAtLimit", msg::frequencyTooHigh, {{fNoise, "247.5"}}},
        RefusalCase{"HugeNoiseFrequency", msg::frequencyTooHigh, {{fNoise, "1e300"}}},
        RefusalCase{"LimitBeforeBand", msg::frequencyTooHigh, {{fi, "300"}, {fs, "49"}}},
        RefusalCase{"BandReversed", msg::bandReversed, {{fi, "51"}, {fs, "49"}}},
        RefusalCase{
            "BandBeforeSignalType", msg::bandReversed, {{fi, "51"}, {fs, "49"}}, instruction},
        // The drop-down must show one of its two items exactly.
        RefusalCase{"InstructionText", msg::signalTypeMissing, {}, instruction},
        RefusalCase{"EmptySignalType", msg::signalTypeMissing, {}, ""},
        RefusalCase{"LowerCaseItem", msg::signalTypeMissing, {}, "segnale sinusoidale"},
        RefusalCase{"TrailingBlank", msg::signalTypeMissing, {}, "Segnale sinusoidale "},
        RefusalCase{"LeadingBlank", msg::signalTypeMissing, {}, " Segnale impulsi rettangolari"},
        RefusalCase{"UpperCasePulse", msg::signalTypeMissing, {}, "SEGNALE IMPULSI RETTANGOLARI"},
        RefusalCase{"SignalTypeBeforeRanges",
                    msg::signalTypeMissing,
                    {{amplitude, "1e16"}, {N, "21474837"}},
                    instruction},
        // Every real entry is 0 or of magnitude 1e-15..1e15.
        RefusalCase{"TinyLowEdge", msg::valueOutOfRange, {{fi, "-1e-16"}}},
        RefusalCase{"TinyHighEdge", msg::valueOutOfRange, {{fi, "0"}, {fs, "1e-16"}}},
        RefusalCase{"HugeAmplitude", msg::valueOutOfRange, {{amplitude, "1e16"}}},
        RefusalCase{
            "JustAboveLargest", msg::valueOutOfRange, {{amplitude, "1.0000000000000002e15"}}},
        RefusalCase{"JustBelowSmallest", msg::valueOutOfRange, {{amplitude, "9.9e-16"}}},
        RefusalCase{"HugeNoise", msg::valueOutOfRange, {{noise, "-1e16"}}},
        RefusalCase{"TinyNoise", msg::valueOutOfRange, {{noise, "1e-300"}}},
        RefusalCase{"HugeOffset", msg::valueOutOfRange, {{offset, "1e16"}}},
        RefusalCase{"TinyWindow", msg::valueOutOfRange, {{W, "1e-16"}}},
        RefusalCase{"TinyDutyCycle", msg::valueOutOfRange, {{r, "1e-16"}}},
        RefusalCase{"TinySignalFrequency", msg::valueOutOfRange, {{fSignal, "1e-16"}}},
        RefusalCase{"TinyNoiseFrequency", msg::valueOutOfRange, {{fNoise, "-1e-16"}}},
        RefusalCase{"TinyZoom", msg::valueOutOfRange, {{ke, "1e-16"}}},
        RefusalCase{"HugeZoom", msg::valueOutOfRange, {{ke, "1e16"}}},
        RefusalCase{
            "RangesBeforeSampleCount", msg::valueOutOfRange, {{offset, "1e16"}, {N, "21474837"}}},
        // 1 <= N <= 21474836.
        RefusalCase{"TooManySamples", msg::sampleCountOutOfRange, {{N, "21474837"}}},
        RefusalCase{"NegativeSamplesAndWindow", msg::sampleCountOutOfRange, negativeWindow},
        RefusalCase{"NoSamplesNegativeWindow", msg::sampleCountOutOfRange,
                    plus(negativeWindow, {{N, "0"}})},
        RefusalCase{"SampleCountBeforeDuty",
                    msg::sampleCountOutOfRange,
                    {{N, "21474837"}, {r, "2"}},
                    pulse},
        // The duty cycle matters for the pulse train only.
        RefusalCase{"DutyAboveOne", msg::dutyCycleOutOfRange, {{r, "1.5"}}, pulse},
        RefusalCase{
            "DutyJustAboveOne", msg::dutyCycleOutOfRange, {{r, "1.0000000000000002"}}, pulse},
        RefusalCase{"NegativeDuty", msg::dutyCycleOutOfRange, {{r, "-0.1"}}, pulse},
        RefusalCase{
            "DutyBeforeFrequencySum", msg::dutyCycleOutOfRange, {{r, "2"}, {fNoise, "-1"}}, pulse},
        // N times the period count must fit 32 bits: 21474836 * 101 does not.
        RefusalCase{
            "SamplesTimesPeriods", msg::tooManyPeriods, {{N, "21474836"}, {fSignal, "50.5"}}},
        RefusalCase{"SamplesTimesPeriodsBeforeSum",
                    msg::tooManyPeriods,
                    {{N, "21474836"}, {fSignal, "50.5"}, {fNoise, "-50.5"}}},
        // A period must span at least one sample: the pulse train is formed period by
        // period, and N = 1 with 2^31 - 1 periods would keep the run going for minutes.
        RefusalCase{"MorePeriodsThanSamples", msg::tooManyPeriods,
                    plus(negativeLimit, {{fSignal, "-500.5"}}), pulse},
        RefusalCase{"MorePeriodsThanSamplesSine", msg::tooManyPeriods,
                    plus(negativeLimit, {{fSignal, "-500.5"}})},
        RefusalCase{"BillionsOfPeriodsOneSample",
                    msg::tooManyPeriods,
                    {{N, "1"},
                     {W, "-0.001"},
                     {fi, "-600"},
                     {fs, "-600"},
                     {fNoise, "-600"},
                     {fSignal, "-2e12"}},
                    pulse},
        // The frequency axis is scaled by 1 / (f disturbo + f segnale).
        RefusalCase{"OppositeFrequencies", msg::frequencySumZero, {{fNoise, "-1"}}},
        RefusalCase{"BothFrequenciesZero", msg::frequencySumZero, {{fSignal, "0"}, {fNoise, "0"}}},
        RefusalCase{
            "OppositeFractional", msg::frequencySumZero, {{fSignal, "-2.5"}, {fNoise, "2.5"}}}),
    testsupport::ByName{});

// ---- acceptance at the edges of every test, checked without running (some of these
// runs would take far too long)

struct AcceptCase {
    const char* name;
    std::int32_t periodCount;
    std::vector<EntryText> entries;
    std::string_view signal = sine;
};

void PrintTo(const AcceptCase& c, std::ostream* os)
{
    *os << c.name;
}

class Acceptance : public testing::TestWithParam<AcceptCase> {};

TEST_P(Acceptance, PassesAndDerivesScaleAndPeriods)
{
    const AcceptCase& c = GetParam();
    RunRecord record;
    EXPECT_EQ(validateRunRequest(testsupport::requestOf(entriesWith(c.entries), c.signal), record),
              std::nullopt);
    EXPECT_EQ(record.periodCount, c.periodCount);
    // The frequency axis spans 2 ke (f disturbo + f segnale) hertz over 100 units.
    const RunParameters& p = record.parameters;
    EXPECT_EQ(record.spectrumScale,
              static_cast<double>(p.sampleCount) /
                  (((p.windowTime * 4) * p.freqAxisZoom) * (p.noiseFreq + p.signalFreq)));
}

INSTANTIATE_TEST_SUITE_P(
    Table, Acceptance,
    testing::Values(
        AcceptCase{"Defaults", 2, {}}, AcceptCase{"PulseDefaults", 2, {}, pulse},
        AcceptCase{"EqualEdges", 2, {{fi, "50"}, {fs, "50"}}},
        AcceptCase{"JustBelowLimit", 2, {{fNoise, "247.49"}}},
        AcceptCase{"LargestSampleCount", 2, {{N, "21474836"}}},
        AcceptCase{"LargestSamplesTimesPeriods", 100, {{N, "21474836"}, {fSignal, "50"}}},
        AcceptCase{"RoundedSampleCount", 2, {{N, "1000.5"}}},
        AcceptCase{"LargestAmplitude", 2, {{amplitude, "1e15"}}},
        AcceptCase{"SmallestAmplitude", 2, {{amplitude, "-1e-15"}}},
        AcceptCase{"ZeroEntries", 2, {{noise, "0"}, {offset, "0"}, {r, "0"}, {fi, "0"}, {fs, "0"}}},
        AcceptCase{"SineIgnoresDutyAbove", 2, {{r, "3"}}},
        AcceptCase{"SineIgnoresDutyBelow", 2, {{r, "-2"}}},
        AcceptCase{"PulseFullDuty", 2, {{r, "1"}}, pulse},
        AcceptCase{"PulseZeroDuty", 2, {{r, "0"}}, pulse},
        AcceptCase{"PulseWithoutPeriods", 0, {{fSignal, "0.2"}}, pulse},
        AcceptCase{"HalfPeriodTiesToEven", 2, {{fSignal, "1.25"}}},
        AcceptCase{"NegativeLowEdge", 2, {{fi, "-10"}}},
        AcceptCase{"NegativeZoom", 2, {{ke, "-0.7"}}},
        AcceptCase{"SingleSample", 0, {{N, "1"}, {W, "0.001"}}},
        AcceptCase{"AsManyPeriodsAsSamples", 1000, plus(negativeLimit, {{fSignal, "-500"}}),
                   pulse}),
    testsupport::ByName{});

// ---- the record: each entry is stored as it is read; an entry whose number does not
// fit ends the reading and keeps it and the later ones as they were

const std::array<std::string RunEntries::*, 11> readingOrder{fi, fs, amplitude, noise,  offset, W,
                                                             N,  r,  fSignal,   fNoise, ke};

// Accepted first (L = 59.4, 3 periods), then retyped as the second set and broken.
const std::vector<EntryText> firstEntries{
    {fi, "40"}, {fs, "45"}, {amplitude, "20"}, {noise, "3"},   {offset, "10"}, {W, "2"},
    {N, "240"}, {r, "0.4"}, {fSignal, "1.5"},  {fNoise, "30"}, {ke, "0.5"}};
const std::vector<EntryText> secondEntries{
    {fi, "41"}, {fs, "46"},  {amplitude, "21"}, {noise, "3.5"}, {offset, "11"}, {W, "2.5"},
    {N, "250"}, {r, "0.45"}, {fSignal, "2"},    {fNoise, "31"}, {ke, "0.6"}};

// The record's fields as numbers, in reading order.
std::array<double, 11> stored(const RunParameters& p)
{
    return {p.stopLowFreq,  p.stopHighFreq, p.signalAmplitude,     p.noiseAmplitude,
            p.signalOffset, p.windowTime,   double(p.sampleCount), p.dutyCycle,
            p.signalFreq,   p.noiseFreq,    p.freqAxisZoom};
}

std::array<double, 11> storedAfterValidation(const std::vector<EntryText>& entries)
{
    RunRecord record;
    EXPECT_EQ(validateRunRequest(testsupport::requestOf(entriesWith(entries)), record),
              std::nullopt);
    return stored(record.parameters);
}

class ReadingStops : public testing::TestWithParam<std::pair<std::size_t, const char*>> {};

TEST_P(ReadingStops, AtAnEntryThatDoesNotFit)
{
    const auto [field, text] = GetParam();
    Session s;
    ASSERT_EQ(s.run(entriesWith(firstEntries)), std::nullopt);
    const double scaleBefore = s.module.spectrumScale();
    s.plots.forgetCalls();

    const std::optional<std::string> result =
        s.run(entriesWith(plus(secondEntries, {{readingOrder[field], text}})));
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(*result,
              readingOrder[field] == N ? msg::sampleCountOutOfRange : msg::valueOutOfRange);
    const auto first = storedAfterValidation(firstEntries),
               second = storedAfterValidation(secondEntries);
    const auto now = stored(s.module.parameters());
    for (std::size_t f = 0; f < now.size(); ++f)
        EXPECT_EQ(now[f], f < field ? second[f] : first[f]) << "field " << f;
    EXPECT_EQ(s.module.periodCount(), 3);
    EXPECT_EQ(s.module.spectrumScale(), scaleBefore);
    EXPECT_TRUE(s.plots.untouched());
}

INSTANTIATE_TEST_SUITE_P(
    EveryField, ReadingStops,
    testing::Values(std::pair{std::size_t{0}, "1e999"}, std::pair{std::size_t{1}, "-1e999"},
                    std::pair{std::size_t{2}, "1e999"}, std::pair{std::size_t{3}, "1e999"},
                    std::pair{std::size_t{4}, "1e999"}, std::pair{std::size_t{5}, "1e999"},
                    std::pair{std::size_t{6}, "3e9"}, std::pair{std::size_t{6}, "-3e9"},
                    std::pair{std::size_t{6}, "2147483647.5"}, std::pair{std::size_t{7}, "1e999"},
                    std::pair{std::size_t{8}, "1e999"}, std::pair{std::size_t{9}, "1e999"},
                    std::pair{std::size_t{10}, "1e999"}));

TEST(Record, RefusedRequestKeepsItsEntriesAndLaterPeriodCount)
{
    Session s;
    ASSERT_EQ(s.run(entriesWith(firstEntries)), std::nullopt);
    ASSERT_EQ(s.module.periodCount(), 3);
    const double scaleBefore = s.module.spectrumScale();

    // Refused by the signal-type test: all entries and the new period count R(2 * 2.5)
    // are in the record, the scale is not.
    EXPECT_EQ(s.run(entriesWith(secondEntries), instruction), std::string(msg::signalTypeMissing));
    EXPECT_EQ(stored(s.module.parameters()), storedAfterValidation(secondEntries));
    EXPECT_EQ(s.module.periodCount(), 5);
    EXPECT_EQ(s.module.spectrumScale(), scaleBefore);

    // Refused by the zoom test: the entries are stored, the period count is not.
    EXPECT_EQ(s.run(entriesWith(plus(firstEntries, {{ke, "0"}}))), std::string(msg::zoomZero));
    EXPECT_EQ(s.module.parameters().freqAxisZoom, 0.0);
    EXPECT_EQ(s.module.parameters().signalFreq, 1.5);
    EXPECT_EQ(s.module.periodCount(), 5);
    EXPECT_EQ(s.module.messageText(), msg::zoomZero);
}

TEST(Record, DefaultRunDerivesScaleAndPeriods)
{
    Session s;
    EXPECT_EQ(s.module.dcComponent(), 0.0);
    ASSERT_EQ(s.run(), std::nullopt);
    EXPECT_NEAR(s.module.spectrumScale(), 1000 / 285.6, 1e-12);
    EXPECT_EQ(s.module.periodCount(), 2);
    EXPECT_EQ(stored(s.module.parameters()), storedAfterValidation({}));
}

}  // namespace
