// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/runparameters.h"
#include "core/signalarrays.h"

// A run that completed: what it was computed with, its arrays and the peaks its plots
// are scaled by. Unlike the record of the current request, neither a refused nor a
// cancelled request touches it, so it always describes what the plots show. It is
// shared, never copied: the module keeps the last one, and the plots keep the one they
// show, to draw it again at a new size.
struct CompletedRun {
    RunParameters parameters;
    bool filterOn = false;
    double spectrumScale = 0;
    SignalArrays arrays;
    double inputPeak = 0;
    double outputPeak = 0;
    double spectrumPeak = 0;
};
