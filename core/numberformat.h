// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// The two number patterns of the readouts, with the decimal separator given by the
// caller (the user's locale's, which is not always one byte in UTF-8). A value that shows as zero
// in the pattern shows without a minus sign.

// "0.00": fixed point, exactly two decimals, no grouping. 2 gives "2.00".
std::string formatFixed2(double value, std::string_view decimalSeparator = ".");

// "0.00E+00": one digit, two decimals, "E", a sign that is always written and an
// exponent of at least two digits. 14.5 gives "1.45E+01", -0.032 "-3.20E-02",
// 0 "0.00E+00".
std::string formatScientific2(double value, std::string_view decimalSeparator = ".");

// The fewest digits that read back as exactly `value`, in fixed or scientific notation,
// whichever is shorter, for the numbers a user typed: 2 gives "2", 2.5 "2.5", 1e-05
// "1E-05".
std::string formatShortest(double value, std::string_view decimalSeparator = ".");
