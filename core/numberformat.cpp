// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/numberformat.h"

#include <charconv>
#include <cmath>

namespace {

// to_chars writes the shortest exact digits in the "C" style whatever the locale:
// a point and a lower-case exponent letter.
std::string localise(std::string_view text, std::string_view decimalSeparator)
{
    if (!text.empty() && text.front() == '-' &&
        text.find_first_not_of("-0.e+") == std::string_view::npos)
        text.remove_prefix(1);  // "-0.00" shows as "0.00"
    std::string localised;
    localised.reserve(text.size() + decimalSeparator.size());
    for (const char c : text) {
        if (c == '.')
            localised += decimalSeparator;
        else
            localised += c == 'e' ? 'E' : c;
    }
    return localised;
}

std::string format(double value, std::chars_format style, std::string_view decimalSeparator)
{
    if (!std::isfinite(value))
        return std::isnan(value) ? "NaN" : (value > 0 ? "Inf" : "-Inf");
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, style, 2);
    return localise(std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer)),
                    decimalSeparator);
}

}  // namespace

std::string formatFixed2(double value, std::string_view decimalSeparator)
{
    return format(value, std::chars_format::fixed, decimalSeparator);
}

std::string formatScientific2(double value, std::string_view decimalSeparator)
{
    return format(value, std::chars_format::scientific, decimalSeparator);
}

std::string formatShortest(double value, std::string_view decimalSeparator)
{
    if (!std::isfinite(value))
        return format(value, std::chars_format::fixed, decimalSeparator);
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return localise(std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer)),
                    decimalSeparator);
}
