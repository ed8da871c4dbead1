// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/runoutcome.h"
#include "plot/plotdrawing.h"
#include "recordingsurface.h"

#include <string>
#include <vector>

// The two plots of a run as a test sees them, and a count of the times the waveform
// window was shown. Everything done to the plots or the window lands, in order, in
// `journal`.
class RecordingPlots {
public:
    RecordingPlots() = default;
    RecordingPlots(const RecordingPlots&) = delete;
    RecordingPlots& operator=(const RecordingPlots&) = delete;

    std::vector<std::string> journal;
    RecordingSurface waveform{"waveform", &journal};
    RecordingSurface spectrum{"spectrum", &journal};
    int waveformWindowShows = 0;

    // What the parameter window does with the outcome of "Grafici": a completed run
    // clears both plots, shows the waveform window and is drawn with drawRun; a refused
    // or cancelled request touches nothing.
    void show(const RunOutcome& outcome)
    {
        if (outcome.kind != RunOutcome::Kind::completed)
            return;
        waveform.clear();
        spectrum.clear();
        ++waveformWindowShows;
        journal.push_back("show");
        drawRun(*outcome.run, waveform, spectrum);
    }

    // Forgets everything recorded so far.
    void forgetCalls()
    {
        journal.clear();
        waveform.forget();
        spectrum.forget();
        waveformWindowShows = 0;
    }
    bool untouched() const
    {
        return journal.empty() && waveform.calls().empty() && spectrum.calls().empty() &&
               waveformWindowShows == 0;
    }
};
