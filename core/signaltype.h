// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string_view>
#include <utility>

// The test signals a run can be made of.
enum class SignalType { sine, pulseTrain };

// The items of the signal-type drop-down, one per signal.
constexpr std::string_view sineSignalItem = "Segnale sinusoidale";
constexpr std::string_view pulseSignalItem = "Segnale impulsi rettangolari";

constexpr std::array<std::pair<SignalType, std::string_view>, 2> signalTypeItems{{
    {SignalType::sine, sineSignalItem},
    {SignalType::pulseTrain, pulseSignalItem},
}};

// What the drop-down shows until a signal is chosen; it selects no signal.
constexpr std::string_view signalTypeInstruction =
    "Scegli il segnale: sinusoidale o impulsi rettangolari";

// The signal the drop-down's text chooses: the one whose item it equals exactly, letter
// case and blanks included; none for any other text.
constexpr std::optional<SignalType> signalTypeOf(std::string_view text)
{
    for (const auto& [type, item] : signalTypeItems)
        if (text == item)
            return type;
    return std::nullopt;
}
