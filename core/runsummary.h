// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/completedrun.h"

#include <string>
#include <string_view>

// What a screen reader says about each plot of a completed run, in Italian, with the
// decimal separator given by the caller: what the plot is scaled by, and the N and W
// the run was computed with. Numbers of the run follow the readouts' pattern
// "0.00E+00" (frequencies "0.00"); W shows as typed, in its fewest digits.

// "V(t): picco 2.96E+01 V; Vr(t): picco 2.50E+01 V; N = 1000, W = 2 sec": the peaks
// that the two curves are scaled by.
std::string waveformSummary(const CompletedRun& run, std::string_view decimalSeparator = ".");

// "D.C.: 2.50E+01 V; riga più alta: f = 1.00 Hz, S(f) = 2.50E+01 V; N = 1000, W = 2 sec":
// the DC component, which the plot leaves out, and the tallest of the lines k = 1..R(N/2)
// it draws (the lowest such line on a tie), at its frequency k / W; "nessuna riga oltre
// la D.C." in its place when no line has any height.
std::string spectrumSummary(const CompletedRun& run, std::string_view decimalSeparator = ".");
