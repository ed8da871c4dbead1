#pragma once

#include "plot/plotsurface.h"

#include <string>

// What a run needs from the windows: the controls it reads while it runs, the two
// plots it draws on and the waveform window it shows. The windows implement it; tests
// implement it with surfaces that record every call.
class RunHost {
public:
    virtual ~RunHost() = default;

    // The text of the signal-type drop-down as it stands now: the chosen item, what
    // the user typed, or the initial instruction.
    virtual std::string signalTypeText() const = 0;

    // Whether "Filtro ON" and "Filtro OFF" are selected.
    virtual bool filterOnSelected() const = 0;
    virtual bool filterOffSelected() const = 0;

    // The plots of the waveform and spectrum windows; a window that does not exist
    // is created, hidden.
    virtual PlotSurface& waveformSurface() = 0;
    virtual PlotSurface& spectrumSurface() = 0;

    // Shows the waveform window modeless, creating it if needed.
    virtual void showWaveformWindow() = 0;
};
