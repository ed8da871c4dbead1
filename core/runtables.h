// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/completedrun.h"

#include <string>
#include <string_view>

// The numbers behind the two plots as text for a spreadsheet: a header line, then one
// line per index, every line ended by a line feed. Real numbers are written in the
// fewest digits that read back as exactly the run's double (0.004, not
// 0.0040000000000000001), with the decimal separator the spreadsheet of the user's
// locale expects and never a thousands separator. Both take a completed run, whose
// arrays hold N + 1 elements for its N.

// How a table is written: what stands between two fields and in place of the decimal
// point, and whether a number holding a comma is put in double quotes. The separators
// must differ, and no header holds either or a comma.
struct TableFormat {
    std::string_view fieldSeparator = "\t";
    std::string_view decimalSeparator = ".";
    bool quoteCommas = false;
};

// The table of a .csv file that the spreadsheet of a locale with `decimalSeparator`
// opens as it stands: "," between fields with the decimal point, ";" with the decimal
// comma (or any separator other than the point). A number with a decimal comma is
// quoted: a spreadsheet's import splits a .csv file at commas as well as at
// semicolons unless it is told otherwise. The format refers to `decimalSeparator`,
// which must outlive it.
TableFormat csvFormat(std::string_view decimalSeparator);

// "n", "t [s]", "V(t)", "Vr(t)" for n = 0..N, with t = n * W / N.
std::string waveformTable(const CompletedRun& run, const TableFormat& format = {});

// "k", "f [Hz]", "S(f)", "azzerata dal filtro" for k = 0..K, K = R(N / 2), with
// f = k / W; the last column reads "sì" for a line that the run's band stop set to 0
// (only when its filter was on) and "no" otherwise. Line 0 gives the D.C. value, half
// of S(0), as the spectrum window's D.C. readout does, and its header says so.
std::string spectrumTable(const CompletedRun& run, const TableFormat& format = {});
