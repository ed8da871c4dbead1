// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>

// Converts a real value to an integer wherever one becomes an index or a count:
// the nearest integer, ties to the even neighbour (250.5 gives 250, 251.5 gives 252).
// Nothing when the result lies outside the 32-bit signed range or the value is not
// finite.
std::optional<std::int32_t> roundToInt32(double value);

// The same rounding, with the result held within [low, high]: for index bounds that
// may lie far outside an array and are only ever used to clip a range to it.
std::int32_t roundClamped(double value, std::int32_t low, std::int32_t high);
