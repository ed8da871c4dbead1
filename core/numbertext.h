// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

// Reads the number at the start of an entry text. Blanks, tabs and line feeds are
// skipped wherever they stand; the decimal separator is always the point, whatever
// the user's locale; an exponent may be introduced by E or D (either case); reading
// stops at the first character that cannot continue the number, and a text that
// starts with no number reads as 0. "1,5" reads as 1, "1 000" as 1000, "1e" as 1.
//
// The digits read are converted with correct rounding. A number too large for a
// double ("1e999") gives nothing; one too small for it reads as 0 of its sign.
std::optional<double> readNumber(std::string_view text);

// How many characters at the start of `text` the rule above reads: the number with the
// blanks within and after it. A text is read whole when this is its length. A text
// that starts with no number has nothing read but its leading blanks.
std::size_t readLength(std::string_view text);
