// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "plot/plotsurface.h"

// Where a completed run puts its results: the two plots it draws on and the waveform
// window it shows. The windows implement it; tests implement it with surfaces that
// record every call. A run never asks it for input: that comes in the RunRequest.
class RunHost {
public:
    virtual ~RunHost() = default;

    // The plots of the waveform and spectrum windows; a window that does not exist
    // is created, hidden.
    virtual PlotSurface& waveformSurface() = 0;
    virtual PlotSurface& spectrumSurface() = 0;

    // Shows the waveform window modeless, creating it if needed.
    virtual void showWaveformWindow() = 0;
};
