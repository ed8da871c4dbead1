// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/completedrun.h"

#include <string>

// The numbers behind the two plots, as tab-separated text for a spreadsheet: a header
// line, then one line per index, every line ended by a line feed. Real numbers carry
// 17 significant digits with the point as decimal separator, whatever the locale, so
// that reading them back gives exactly the doubles of the run. Both take a completed
// run, whose arrays hold N + 1 elements for its N.

// "n", "t [s]", "V(t)", "Vr(t)" for n = 0..N, with t = n * W / N.
std::string waveformTable(const CompletedRun& run);

// "k", "f [Hz]", "S(f)", "azzerata dal filtro" for k = 0..K, K = R(N / 2), with
// f = k / W; the last column reads "sì" for a line that the run's band stop set to 0
// (only when its filter was on) and "no" otherwise.
std::string spectrumTable(const CompletedRun& run);
