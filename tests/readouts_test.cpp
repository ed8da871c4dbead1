// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/messages.h"
#include "core/numberformat.h"
#include "core/readouts.h"
#include "core/runsummary.h"
#include "tests/testsupport.h"

#include <cmath>
#include <limits>

namespace {

using namespace testsupport;

// A pulse train 29 V high with no disturbance: V(t) peaks at exactly 29.
RunEntries pulses29()
{
    return entriesWith({{entry::amplitude, "29"}, {entry::noise, "0"}});
}

TEST(WaveformReadout, InvertsTheCurveMapping)
{
    Session s;
    ASSERT_EQ(s.run(pulses29(), pulseSignalItem), std::nullopt);
    ASSERT_EQ(s.module.inputPeak(), 29.0);
    auto readout = [&](WaveformCurve curve, float x, float y) {
        return waveformReadout(s.module, curve, x, y);
    };
    EXPECT_EQ(readout(WaveformCurve::input, 25, 85), "t= 0.50 sec ; V(t) = 1.45E+01 V");
    EXPECT_EQ(readout(WaveformCurve::input, 0, 75), "t= 0.00 sec ; V(t) = 0.00E+00 V");
    EXPECT_EQ(readout(WaveformCurve::input, 100, 95), "t= 2.00 sec ; V(t) = 2.90E+01 V");
    EXPECT_EQ(readout(WaveformCurve::input, 50, 55), "t= 1.00 sec ; V(t) = -2.90E+01 V");
    // Off the plot, as while dragging: nothing is clamped.
    EXPECT_EQ(readout(WaveformCurve::input, 150, 115), "t= 3.00 sec ; V(t) = 5.80E+01 V");
    const std::string peak = formatScientific2(s.module.outputPeak());
    EXPECT_EQ(readout(WaveformCurve::output, 25, 25), "t= 0.50 sec ; Vr(t) = 0.00E+00 V");
    EXPECT_EQ(readout(WaveformCurve::output, 25, 45), "t= 0.50 sec ; Vr(t) = " + peak + " V");
    EXPECT_EQ(waveformReadout(s.module, WaveformCurve::input, 25, 85, ","),
              "t= 0,50 sec ; V(t) = 1,45E+01 V");
}

TEST(WaveformReadout, ZeroInputReadsZeroAtEveryHeight)
{
    Session s;
    const RunEntries silent =
        entriesWith({{entry::amplitude, "0"}, {entry::noise, "0"}, {entry::offset, "0"}});
    ASSERT_EQ(s.run(silent, sineSignalItem), std::nullopt);
    for (const float y : {50.0f, 75.0f, 99.0f, 140.0f})
        EXPECT_EQ(waveformReadout(s.module, WaveformCurve::input, 10, y),
                  "t= 0.20 sec ; V(t) = 0.00E+00 V");
}

TEST(WaveformReadout, DescribesTheRunOnScreenAfterARefusal)
{
    Session s;
    ASSERT_EQ(s.run(pulses29(), pulseSignalItem), std::nullopt);
    // A refused request stores its N and W in the record; the plots still show the run
    // with W = 2 and its peak of 29, and so does the readout.
    RunEntries shorter = pulses29();
    shorter.sampleCount = "10";
    shorter.windowTime = "4";
    ASSERT_NE(s.run(shorter, "nessuno"), std::nullopt);
    ASSERT_EQ(s.module.parameters().windowTime, 4.0);
    EXPECT_EQ(waveformReadout(s.module, WaveformCurve::input, 25, 95),
              "t= 0.50 sec ; V(t) = 2.90E+01 V");
    RunEntries longer = pulses29();
    longer.sampleCount = "2000000";
    ASSERT_NE(s.run(longer, "nessuno"), std::nullopt);
    EXPECT_EQ(waveformReadout(s.module, WaveformCurve::input, 25, 95),
              "t= 0.50 sec ; V(t) = 2.90E+01 V");
    RunEntries huge = pulses29();
    huge.windowTime = "1e308";
    ASSERT_NE(s.run(huge, "nessuno"), std::nullopt);
    EXPECT_EQ(waveformReadout(s.module, WaveformCurve::input, 1000, 95),
              "t= 20.00 sec ; V(t) = 2.90E+01 V");
    // A cursor position that is no number cannot be shown.
    EXPECT_EQ(waveformReadout(s.module, WaveformCurve::input, std::nanf(""), 95),
              "t= --- sec ; V(t) = 2.90E+01 V");
}

TEST(SpectrumReadout, InvertsTheLineMapping)
{
    Session s;
    ASSERT_EQ(s.run({}, sineSignalItem), std::nullopt);
    const std::string peak = formatScientific2(s.module.spectrumPeak());
    EXPECT_EQ(spectrumReadout(s.module, 70.028f, 0), "f= 50.00 Hz ; S(f) = 0.00E+00 V");
    EXPECT_EQ(spectrumReadout(s.module, 100, 90), "f= 71.40 Hz ; S(f) = " + peak + " V");
    EXPECT_EQ(spectrumReadout(s.module, 0, 45, ","),
              "f= 0,00 Hz ; S(f) = " + formatScientific2(s.module.spectrumPeak() / 2, ",") + " V");
    // Above y = 90 the amplitude exceeds the peak.
    EXPECT_GT(spectrumReadout(s.module, 0, 99), spectrumReadout(s.module, 0, 90));
}

TEST(SpectrumReadout, DescribesTheRunOnScreenAfterARefusal)
{
    Session s;
    ASSERT_EQ(s.run({}, sineSignalItem), std::nullopt);
    // Refusals that store another N or W leave the 50 Hz line at x = 70.028.
    RunEntries refused;
    refused.windowTime = "4";
    ASSERT_NE(s.run(refused, "nessuno"), std::nullopt);
    EXPECT_EQ(spectrumReadout(s.module, 70.028f, 0), "f= 50.00 Hz ; S(f) = 0.00E+00 V");
    refused.windowTime = "0";
    ASSERT_EQ(s.run(refused, sineSignalItem), messages::windowZero);
    EXPECT_EQ(spectrumReadout(s.module, 70.028f, 0), "f= 50.00 Hz ; S(f) = 0.00E+00 V");
    refused.sampleCount = "0";
    ASSERT_NE(s.run(refused, sineSignalItem), std::nullopt);
    EXPECT_EQ(spectrumReadout(s.module, 0, 0), "f= 0.00 Hz ; S(f) = 0.00E+00 V");
    EXPECT_EQ(spectrumReadout(s.module, std::numeric_limits<float>::infinity(), 0),
              "f= --- Hz ; S(f) = 0.00E+00 V");
}

// Before the first run has completed no plot has been drawn: the readouts are empty,
// and "Visualizza spettro" has nothing to refuse.
TEST(Readouts, NothingToDescribeBeforeTheFirstRun)
{
    Session s;
    RunEntries fractional;
    fractional.windowTime = "2.5";
    ASSERT_NE(s.run(fractional, "nessuno"), std::nullopt);
    EXPECT_EQ(waveformReadout(s.module, WaveformCurve::input, 50, 80), "");
    EXPECT_EQ(waveformReadout(s.module, WaveformCurve::output, 50, 20), "");
    EXPECT_EQ(spectrumReadout(s.module, 50, 50), "");
    EXPECT_EQ(s.module.requestSpectrumWindow(), std::nullopt);
}

struct SummaryCase {
    const char* name;
    std::vector<EntryText> changes;
    bool filterOn;
    // The tallest line's frequency, or none when no line has any height.
    std::optional<const char*> tallestLine;
};

class RunSummary : public testing::TestWithParam<SummaryCase> {};

TEST_P(RunSummary, NamesTheScalesAndTheTallestLine)
{
    const SummaryCase& c = GetParam();
    Session s;
    ASSERT_EQ(s.run(entriesWith(c.changes), sineSignalItem, c.filterOn, !c.filterOn), std::nullopt);
    const CompletedRun& run = *s.module.completedRun();
    const std::string sizes = "N = " + std::string(entriesWith(c.changes).sampleCount) +
                              ", W = " + std::string(entriesWith(c.changes).windowTime) + " sec";
    EXPECT_EQ(waveformSummary(run), "V(t): picco " + formatScientific2(run.inputPeak) +
                                        " V; Vr(t): picco " + formatScientific2(run.outputPeak) +
                                        " V; " + sizes);
    const std::string dc = "D.C.: " + formatScientific2(s.module.dcComponent()) + " V; ";
    if (c.tallestLine)
        EXPECT_EQ(spectrumSummary(run), dc + "riga più alta: f = " + *c.tallestLine +
                                            " Hz, S(f) = " + formatScientific2(run.spectrumPeak) +
                                            " V; " + sizes);
    else
        EXPECT_EQ(spectrumSummary(run), dc + "nessuna riga oltre la D.C.; " + sizes);
}

INSTANTIATE_TEST_SUITE_P(
    Table, RunSummary,
    testing::Values(
        SummaryCase{"Defaults", {}, true, "1.00"},
        // Above the signal, the disturbance's line is the tallest unless it is filtered.
        SummaryCase{"LoudDisturbance", {{entry::noise, "40"}}, false, "50.00"},
        SummaryCase{"LoudDisturbanceFiltered", {{entry::noise, "40"}}, true, "1.00"},
        SummaryCase{"FractionalW",
                    {{entry::W, "2.5"}, {entry::N, "999"}, {entry::fSignal, "2"}},
                    true,
                    "2.00"},
        SummaryCase{"Silent",
                    {{entry::amplitude, "0"}, {entry::noise, "0"}, {entry::offset, "0"}},
                    true,
                    std::nullopt}),
    ByName{});

TEST(RunSummary, UsesTheSeparatorItIsGiven)
{
    Session s;
    ASSERT_EQ(s.run(entriesWith({{entry::W, "2.5"}, {entry::fSignal, "2"}}), sineSignalItem),
              std::nullopt);
    const CompletedRun& run = *s.module.completedRun();
    EXPECT_EQ(waveformSummary(run, ","),
              "V(t): picco " + formatScientific2(run.inputPeak, ",") + " V; Vr(t): picco " +
                  formatScientific2(run.outputPeak, ",") + " V; N = 1000, W = 2,5 sec");
    EXPECT_TRUE(
        spectrumSummary(run, ",").starts_with("D.C.: 2,50E+01 V; riga più alta: f = 2,00 Hz, "));
}

struct WholeNumberCase {
    const char* name;
    std::vector<EntryText> changes;
    std::optional<std::string_view> message;
};

class SpectrumWindowRequest : public testing::TestWithParam<WholeNumberCase> {};

TEST_P(SpectrumWindowRequest, AcceptsOnlyWholeNumbers)
{
    const WholeNumberCase& c = GetParam();
    RunRecord record;
    validateRunRequest(requestOf(entriesWith(c.changes)), record);
    EXPECT_EQ(spectrumWindowRefusal(record.parameters), c.message);

    // The module asks it of the run on screen. A negative W is never computed: the
    // default run stays on screen, and opens.
    Session s;
    const bool completed = !s.run(entriesWith(c.changes)).has_value();
    EXPECT_EQ(completed, record.parameters.windowTime > 0);
    const auto refusal = s.module.requestSpectrumWindow();
    if (c.message && completed) {
        EXPECT_EQ(refusal, std::string(*c.message));
        EXPECT_EQ(s.module.messageText(), *c.message);
    } else {
        EXPECT_EQ(refusal, std::nullopt);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, SpectrumWindowRequest,
    testing::Values(
        WholeNumberCase{"Defaults", {}, std::nullopt},
        WholeNumberCase{"WHalf", {{entry::W, "2.5"}}, messages::windowNotWhole},
        WholeNumberCase{"WFirst",
                        {{entry::W, "2.5"}, {entry::fSignal, "1.5"}, {entry::fNoise, "0.1"}},
                        messages::windowNotWhole},
        WholeNumberCase{"WNegativeWhole", {{entry::W, "-3"}}, std::nullopt},
        WholeNumberCase{"WNegativeHalf", {{entry::W, "-2.5"}}, messages::windowNotWhole},
        WholeNumberCase{"WNoTolerance", {{entry::W, "2.000001"}}, messages::windowNotWhole},
        WholeNumberCase{"SignalHalf", {{entry::fSignal, "1.5"}}, messages::signalFreqNotWhole},
        WholeNumberCase{"NoiseFraction", {{entry::fNoise, "49.9"}}, messages::noiseFreqNotWhole},
        WholeNumberCase{"SignalBeforeNoise",
                        {{entry::fSignal, "1.5"}, {entry::fNoise, "49.9"}},
                        messages::signalFreqNotWhole},
        WholeNumberCase{"ZeroIsWhole", {{entry::fSignal, "0"}}, std::nullopt}),
    ByName{});

}  // namespace
