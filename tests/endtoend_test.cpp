// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/computationmodule.h"
#include "core/messages.h"
#include "core/numberformat.h"
#include "plot/plotdrawing.h"
#include "recordingplots.h"
#include "tests/testsupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <string>
#include <vector>

namespace {

using testsupport::trueSine;

// The first thing a user does: start the program, choose the sine and press "Grafici"
// with every other entry at its default, the filter on; then press it again with a
// reversed band.
TEST(EndToEnd, DefaultSineWithFilterThenARefusal)
{
    ComputationModule module;
    RecordingPlots plots;
    const RunOutcome outcome = runThrough(module, RunRequest{});
    ASSERT_EQ(outcome.kind, RunOutcome::Kind::completed);
    ASSERT_EQ(outcome.run, module.completedRun());
    plots.show(outcome);

    // V(t) = 25 + 25 sin(2 pi t / 1 s) + 4 sin(2 pi 50 t), t = n * 2 ms.
    const SignalArrays& a = module.arrays();
    ASSERT_EQ(a.inputSignal.size(), 1001u);
    EXPECT_EQ(a.inputSignal[0], 25.0);
    long double inputPeak = 0;
    for (std::int64_t n = 0; n <= 1000; ++n) {
        const long double v =
            25.0L + 25.0L * trueSine(n, 1, 2, 1000) + 4.0L * trueSine(n, 50, 2, 1000);
        ASSERT_NEAR(a.inputSignal[static_cast<std::size_t>(n)], static_cast<double>(v), 1e-9) << n;
        inputPeak = std::max(inputPeak, std::fabs(v));
    }

    // S(f): the DC and 1 Hz lines stay, the 50 Hz line and its mirror are gone; Vr(t) is
    // the clean sine.
    EXPECT_NEAR(a.spectrumMag[0], 50.0, 1e-9);
    EXPECT_NEAR(a.spectrumMag[2], 25.0, 1e-9);
    EXPECT_EQ(a.spectrumMag[100], 0.0);
    EXPECT_EQ(a.spectrumRe[900], 0.0);
    EXPECT_EQ(a.spectrumIm[900], 0.0);
    EXPECT_EQ(formatScientific2(module.dcComponent()), "2.50E+01");
    EXPECT_EQ(formatScientific2(module.dcComponent(), ","), "2,50E+01");
    // Up to t = W, where the rebuilt sine has come round to 25 again and does not drop to 0.
    for (std::int64_t n = 0; n <= 1000; ++n)
        ASSERT_NEAR(a.outputSignal[static_cast<std::size_t>(n)],
                    static_cast<double>(25.0L + 25.0L * trueSine(n, 1, 2, 1000)), 1e-9)
            << n;

    // The peaks that scale the plots; the DC line (50) is not among the drawn lines.
    EXPECT_NEAR(module.inputPeak(), static_cast<double>(inputPeak), 1e-9);
    EXPECT_NEAR(module.outputPeak(), 50.0, 1e-9);
    EXPECT_NEAR(module.spectrumPeak(), 25.0, 1e-9);

    // The waveform plot: 25 tick marks, 1000 black segments, 1000 red ones, then the two
    // zero lines.
    EXPECT_EQ(plots.waveformWindowShows, 1);
    const std::vector<SurfaceCall> w = plots.waveform.lines();
    ASSERT_EQ(w.size(), 25u + 2000 + 2);
    for (std::size_t i = 25; i < 2025; ++i)
        ASSERT_EQ(w[i].colour, i < 1025 ? black : red) << i;
    // Segment i runs from x = i / 10 to (i + 1) / 10.
    const SurfaceCall& black125 = w[25 + 125];
    EXPECT_FLOAT_EQ(black125.x1, 12.5f);
    EXPECT_FLOAT_EQ(black125.x2, 12.6f);
    EXPECT_FLOAT_EQ(black125.y1, toSingle(a.inputSignal[125] * 20 / module.inputPeak() + 75));
    EXPECT_NEAR(w[25 + 1000 + 125].y1, 45.0, 1e-5);  // the crest of Vr touches its band's top
    // At t = W the red curve has come round to where it started, 25 V, at y = 35.
    EXPECT_FLOAT_EQ(w[2024].x2, 100);
    EXPECT_FLOAT_EQ(w[2024].y2, 35);
    EXPECT_FLOAT_EQ(w[25 + 1000].y1, 35);
    EXPECT_EQ(w[2025].y1, 75);
    EXPECT_EQ(w[2026].y1, 25);

    // The spectrum plot: 500 lines, the 1 Hz one at x = 1.40 reaching 90, the 50 Hz one flat.
    const std::vector<SurfaceCall> s = plots.spectrum.lines();
    ASSERT_EQ(s.size(), 500u);
    EXPECT_NEAR(s[1].x1, 1.40056f, 1e-4);
    EXPECT_FLOAT_EQ(s[1].y2, 90);
    EXPECT_EQ(s[99].y2, 0);

    // A refused request leaves the plots, arrays and readout as they were.
    plots.forgetCalls();
    const SignalArrays before = a;
    RunEntries reversed;
    reversed.stopLowFreq = "51";
    reversed.stopHighFreq = "49";
    const RunOutcome refused = runThrough(module, RunRequest{.entries = reversed});
    EXPECT_EQ(refused, RunOutcome::refused(std::string(messages::bandReversed)));
    plots.show(refused);
    EXPECT_TRUE(plots.untouched());
    EXPECT_EQ(module.arrays().spectrumMag, before.spectrumMag);
    EXPECT_EQ(module.arrays().outputSignal, before.outputSignal);
    EXPECT_EQ(formatScientific2(module.dcComponent()), "2.50E+01");
    EXPECT_EQ(module.parameters().stopLowFreq, 51.0);
}

}  // namespace
