#pragma once

#include "core/runhost.h"
#include "core/signaltype.h"
#include "tests/recordingsurface.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The windows as a run sees them: a drop-down whose text the test sets, the two filter
// option buttons (filter on, as the parameter window starts) and two recording plots.
// Everything done to the plots or the waveform window lands, in order, in `journal`.
class FakeHost : public RunHost {
public:
    FakeHost() = default;
    FakeHost(const FakeHost&) = delete;
    FakeHost& operator=(const FakeHost&) = delete;

    // Successive reads of the drop-down return these texts in turn; the last one repeats.
    std::vector<std::string> signalTexts{std::string(sineSignalItem)};
    mutable int signalTypeReads = 0;
    bool filterOn = true;
    bool filterOff = false;

    std::vector<std::string> journal;
    RecordingSurface waveform{"waveform", &journal};
    RecordingSurface spectrum{"spectrum", &journal};
    int waveformWindowShows = 0;

    void setSignalType(std::string_view text) { signalTexts = {std::string(text)}; }
    void setFilter(bool on, bool off) { filterOn = on; filterOff = off; }

    // Forgets everything recorded so far, keeping the settings.
    void forgetCalls()
    {
        journal.clear();
        waveform.forget();
        spectrum.forget();
        waveformWindowShows = 0;
        signalTypeReads = 0;
    }
    bool untouched() const
    {
        return journal.empty() && waveform.calls().empty() && spectrum.calls().empty() && waveformWindowShows == 0;
    }

    std::string signalTypeText() const override
    {
        return signalTexts[std::min(static_cast<std::size_t>(signalTypeReads++), signalTexts.size() - 1)];
    }
    bool filterOnSelected() const override { return filterOn; }
    bool filterOffSelected() const override { return filterOff; }
    PlotSurface& waveformSurface() override { return waveform; }
    PlotSurface& spectrumSurface() override { return spectrum; }
    void showWaveformWindow() override
    {
        ++waveformWindowShows;
        journal.push_back("show");
    }
};
