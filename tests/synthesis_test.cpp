// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/computationmodule.h"
#include "core/synthesis.h"
#include "core/twopi.h"
#include "recordingplots.h"
#include "tests/testsupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace testsupport::entry;
using testsupport::entriesWith;
using testsupport::Session;
using testsupport::trueSine;

// The phase constant is the double nearest to 6.28318530717958, not to 2 pi.
static_assert(std::bit_cast<std::uint64_t>(twoPi) == 0x401921FB54442D11u);

// ---- the pulse train, sample by sample. A disturbance of 37.3 Hz is never near 0 at a
// sample, so a low sample cannot pass for an unwritten one.

constexpr double oddNoiseFreq = 37.3;

struct PulseCase {
    const char* name;
    std::int32_t sampleCount;
    std::int32_t periodCount;
    double dutyCycle;
    std::vector<std::pair<std::int32_t, std::int32_t>> high;
    std::vector<std::pair<std::int32_t, std::int32_t>> low;
};

void PrintTo(const PulseCase& c, std::ostream* os)
{
    *os << c.name;
}

class PulseTrain : public testing::TestWithParam<PulseCase> {};

TEST_P(PulseTrain, HighLowAndUnwrittenSamples)
{
    const PulseCase& c = GetParam();
    RunParameters p = testsupport::defaultParameters();
    p.sampleCount = c.sampleCount;
    p.dutyCycle = c.dutyCycle;
    p.noiseFreq = oddNoiseFreq;
    p.signalFreq = c.periodCount / p.windowTime;
    std::vector<double> pulse(static_cast<std::size_t>(c.sampleCount) + 1, 0.0);
    synthesisePulseTrain(p, c.periodCount, pulse);

    // 0 = unwritten, 1 = low, 2 = high; the later range wins where two overlap, as a
    // later write would.
    std::vector<int> level(pulse.size(), 0);
    for (auto [first, last] : c.low)
        std::fill(level.begin() + first, level.begin() + last + 1, 1);
    for (auto [first, last] : c.high)
        std::fill(level.begin() + first, level.begin() + last + 1, 2);

    for (std::int32_t n = 0; n <= c.sampleCount; ++n) {
        const double x = pulse[static_cast<std::size_t>(n)];
        const double noise =
            4.0 * static_cast<double>(trueSine(n, oddNoiseFreq, p.windowTime, c.sampleCount));
        switch (level[static_cast<std::size_t>(n)]) {
        case 0:
            EXPECT_EQ(x, 0.0) << "sample " << n << " should stay unwritten";
            break;
        case 1:
            EXPECT_NEAR(x, noise, 1e-9) << "sample " << n << " should be low";
            break;
        default:
            EXPECT_NEAR(x, 25.0 + noise, 1e-9) << "sample " << n << " should be high";
            break;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, PulseTrain,
    testing::Values(
        // 251 high and 249 low samples per period: the high part is one sample longer
        // than the duty fraction, and sample N is left alone.
        PulseCase{"TwoPeriods", 1000, 2, 0.5, {{0, 250}, {500, 750}}, {{251, 499}, {751, 999}}},
        // R(500.5) = 500 ends the high part, R(501.5) = 502 starts the low one: 501 is a gap.
        PulseCase{"OddCountGap", 1001, 1, 0.5, {{0, 500}}, {{502, 1000}}},
        // R(502.5) = 502 both ends the high part and starts the low part, which wins.
        PulseCase{"OddCountOverlap", 1003, 1, 0.5, {{0, 501}}, {{502, 1002}}},
        // The low part of period 0 ends at R(499.5) = 500, where period 1's high part
        // starts (R(500.5) = 500) and overwrites it.
        PulseCase{
            "OddCountTwoPeriods", 1001, 2, 0.5, {{0, 250}, {500, 751}}, {{251, 499}, {752, 1000}}},
        // Quarter duty over four periods: R(q + 62.5) ends each high part on the even
        // side and R(q + 63.5) starts the low part one sample later, so 63, 313, 563 and
        // 813 stay 0.
        PulseCase{"QuarterDutyGaps",
                  1000,
                  4,
                  0.25,
                  {{0, 62}, {250, 312}, {500, 562}, {750, 812}},
                  {{64, 249}, {314, 499}, {564, 749}, {814, 999}}},
        PulseCase{"FullDuty", 1000, 2, 1.0, {{0, 1000}}, {}},
        PulseCase{"ZeroDuty", 1000, 2, 0.0, {{0, 0}, {500, 500}}, {{1, 499}, {501, 999}}},
        PulseCase{"SingleSample", 1, 1, 0.5, {{0, 0}}, {}},
        // Duty cycles outside 0..1 (let through with the sine chosen): the parts are cut
        // at the ends of the array.
        PulseCase{"DutyCycleThree", 1000, 2, 3.0, {{0, 1000}}, {}},
        PulseCase{"DutyCycleMinusTwo", 1000, 2, -2.0, {}, {{0, 999}}},
        PulseCase{"NoPeriods", 1000, 0, 0.5, {}, {}},
        PulseCase{"NegativePeriods", 1000, -2, 0.5, {}, {}}),
    testsupport::ByName{});

TEST(SineSignal, CoversEverySampleIncludingN)
{
    for (std::int32_t count : {1000, 1001, 7}) {
        RunParameters p = testsupport::defaultParameters();
        p.sampleCount = count;
        p.noiseFreq = oddNoiseFreq;
        p.signalFreq = 1.3;  // not a whole number of periods in the window
        std::vector<double> sine(static_cast<std::size_t>(count) + 1, 0.0);
        synthesiseSine(p, sine);
        for (std::int32_t n = 0; n <= count; ++n) {
            const long double expected = 25.0L * trueSine(n, 1.3, 2, count) + 25.0L +
                                         4.0L * trueSine(n, oddNoiseFreq, 2, count);
            ASSERT_NEAR(sine[static_cast<std::size_t>(n)], static_cast<double>(expected), 1e-9)
                << "N = " << count << ", n = " << n;
        }
    }
}

// ---- which signal becomes the input

struct SelectionCase {
    const char* name;
    std::string text;  // what the drop-down shows
    int chosen;        // 0 none, 1 sine, 2 pulse
};

void PrintTo(const SelectionCase& c, std::ostream* os)
{
    *os << c.name;
}

class Selection : public testing::TestWithParam<SelectionCase> {};

TEST_P(Selection, TheDropDownTextChoosesTheSignalComputed)
{
    const RunParameters p = testsupport::defaultParameters();
    const auto samples = [] { return std::vector<double>(1001, 0.0); };
    std::vector<double> sine = samples(), pulse = samples();
    synthesiseSine(p, sine);
    synthesisePulseTrain(p, 2, pulse);

    const std::optional<SignalType> type = signalTypeOf(GetParam().text);
    const std::optional<SignalType> expected[] = {std::nullopt, SignalType::sine,
                                                  SignalType::pulseTrain};
    ASSERT_EQ(type, expected[GetParam().chosen]);
    if (!type)
        return;
    std::vector<double> input = samples();
    synthesiseInput(*type, p, 2, input);
    EXPECT_EQ(input, *type == SignalType::sine ? sine : pulse);
}

INSTANTIATE_TEST_SUITE_P(Table, Selection,
                         testing::Values(SelectionCase{"Sine", std::string(sineSignalItem), 1},
                                         SelectionCase{"Pulse", std::string(pulseSignalItem), 2},
                                         SelectionCase{"Neither", "Segnale quadro", 0},
                                         SelectionCase{"SineWithATrailingBlank",
                                                       std::string(sineSignalItem) + " ", 0}),
                         testsupport::ByName{});

// ---- the same through a run request, with the default entries

TEST(SynthesisRun, DefaultSine)
{
    Session s;
    ASSERT_EQ(s.run({}, sineSignalItem, false, true), std::nullopt);
    const std::vector<double>& v = s.module.arrays().inputSignal;
    ASSERT_EQ(v.size(), 1001u);
    EXPECT_EQ(v[0], 25.0);
    EXPECT_NEAR(v[125], 50.0, 1e-9);  // crest of the 1 Hz sine, node of the disturbance
    EXPECT_NEAR(v[250], 25.0, 1e-9);
    std::vector<double> sine(1001, 0.0);
    synthesiseSine(testsupport::defaultParameters(), sine);
    EXPECT_EQ(v, sine);
    // The 50 Hz disturbance repeats every 10 samples (N / (f W) = 1000 / 100).
    for (std::int32_t n = 0; n + 10 <= 1000; ++n) {
        auto disturbance = [&](std::int32_t i) {
            return v[static_cast<std::size_t>(i)] - 25.0 -
                   25.0 * static_cast<double>(trueSine(i, 1, 2, 1000));
        };
        ASSERT_NEAR(disturbance(n + 10), disturbance(n), 1e-9) << n;
    }
}

TEST(SynthesisRun, DefaultPulseTrain)
{
    Session s;
    ASSERT_EQ(s.run({}, pulseSignalItem, false, true), std::nullopt);
    const std::vector<double>& v = s.module.arrays().inputSignal;
    ASSERT_EQ(v.size(), 1001u);
    EXPECT_EQ(v[0], 25.0);
    EXPECT_NEAR(v[500], 25.0, 1e-9);
    EXPECT_EQ(v[1000], 0.0);
    for (std::int32_t n = 0; n < 1000; ++n) {
        const bool high = n <= 250 || (n >= 500 && n <= 750);
        const double noise = 4.0 * static_cast<double>(trueSine(n, 50, 2, 1000));
        ASSERT_NEAR(v[static_cast<std::size_t>(n)], (high ? 25.0 : 0.0) + noise, 1e-9) << n;
    }
    // 502 of the 1000 samples are high.
    EXPECT_NEAR(std::accumulate(v.begin(), v.end() - 1, 0.0) / 1000, 12.55, 1e-9);
}

TEST(SynthesisRun, PulseWithoutPeriodsIsAllZero)
{
    Session s;
    ASSERT_EQ(s.run(entriesWith({{fSignal, "0.2"}}), pulseSignalItem, false, true),
              std::nullopt);  // R(0.4) = 0
    EXPECT_EQ(s.module.periodCount(), 0);
    EXPECT_EQ(testsupport::largestMagnitude(s.module.arrays().inputSignal), 0.0);
}

// With the sine chosen the duty cycle is not checked, and it plays no part: the run is
// the one with r = 0.5. (The pulse train it would make is cut to the array, as the
// table above shows.)
class DutyOutsideWithSine : public testing::TestWithParam<std::pair<const char*, double>> {};

TEST_P(DutyOutsideWithSine, PlaysNoPart)
{
    const auto [duty, value] = GetParam();
    Session s, usual;
    ASSERT_EQ(s.run(entriesWith({{N, "220"}, {r, duty}}), sineSignalItem), std::nullopt);
    ASSERT_EQ(usual.run(entriesWith({{N, "220"}}), sineSignalItem), std::nullopt);
    EXPECT_EQ(s.module.arrays(), usual.module.arrays());
    EXPECT_EQ(s.module.parameters().dutyCycle, value);
}

INSTANTIATE_TEST_SUITE_P(Table, DutyOutsideWithSine,
                         testing::Values(std::pair{"3", 3.0}, std::pair{"-2", -2.0}));

TEST(SynthesisRun, SmallerRunLeavesNoTraceOfALargerOne)
{
    Session s;
    ASSERT_EQ(s.run({}, sineSignalItem, false, true), std::nullopt);
    ASSERT_EQ(s.run(entriesWith({{N, "300"}, {r, "1"}}), pulseSignalItem, false, true),
              std::nullopt);
    const SignalArrays& a = s.module.arrays();
    for (const std::vector<double>* v :
         {&a.inputSignal, &a.spectrumRe, &a.spectrumIm, &a.spectrumMag, &a.outputSignal})
        EXPECT_EQ(v->size(), 301u);
    for (std::size_t k = 151; k <= 300; ++k)
        EXPECT_EQ(a.spectrumMag[k], 0.0) << k;
    // Vr(N) is this run's own, rebuilt at t = W where it comes round to Vr(0).
    EXPECT_NEAR(a.outputSignal[300], a.outputSignal[0], 1e-9);
    // With r = 1 every sample is high, sample N included.
    EXPECT_NEAR(a.inputSignal[300], 25.0 + 4.0 * static_cast<double>(trueSine(300, 50, 2, 300)),
                1e-9);
    EXPECT_NEAR(a.inputSignal[75], 25.0 + 4.0 * static_cast<double>(trueSine(75, 50, 2, 300)),
                1e-9);
}

}  // namespace
