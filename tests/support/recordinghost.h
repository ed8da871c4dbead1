// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/runhost.h"
#include "recordingsurface.h"

#include <string>
#include <vector>

// Where a run's results go, as a test sees them: two recording plots, and a count of
// the times the waveform window was shown. Everything done to the plots or the window
// lands, in order, in `journal`.
class RecordingHost : public RunHost {
public:
    RecordingHost() = default;
    RecordingHost(const RecordingHost&) = delete;
    RecordingHost& operator=(const RecordingHost&) = delete;

    std::vector<std::string> journal;
    RecordingSurface waveform{"waveform", &journal};
    RecordingSurface spectrum{"spectrum", &journal};
    int waveformWindowShows = 0;

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

    PlotSurface& waveformSurface() override { return waveform; }
    PlotSurface& spectrumSurface() override { return spectrum; }
    void showWaveformWindow() override
    {
        ++waveformWindowShows;
        journal.push_back("show");
    }
};
