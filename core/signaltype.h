// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

// The two items of the signal-type drop-down. The drop-down's text selects a signal
// only when it equals one of them exactly, letter case and blanks included.
constexpr std::string_view sineSignalItem = "Segnale sinusoidale";
constexpr std::string_view pulseSignalItem = "Segnale impulsi rettangolari";

// What the drop-down shows until a signal is chosen; it selects no signal.
constexpr std::string_view signalTypeInstruction =
    "Scegli il segnale: sinusoidale o impulsi rettangolari";
