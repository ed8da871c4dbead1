// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/integerconversion.h"

#include <cmath>
#include <limits>

std::optional<std::int32_t> roundToInt32(double value)
{
    // nearbyint rounds in the current rounding mode, which the program never changes
    // from the default: to nearest, ties to even.
    const double rounded = std::nearbyint(value);
    if (!(rounded >= std::numeric_limits<std::int32_t>::min() &&
          rounded <= std::numeric_limits<std::int32_t>::max()))
        return std::nullopt;
    return static_cast<std::int32_t>(rounded);
}

std::int32_t roundClamped(double value, std::int32_t low, std::int32_t high)
{
    const double rounded = std::nearbyint(value);
    if (!(rounded >= low))  // NaN goes low as well
        return low;
    if (rounded > high)
        return high;
    return static_cast<std::int32_t>(rounded);
}
