#include "core/numberformat.h"

#include <charconv>
#include <cmath>

namespace {

// to_chars writes the shortest exact digits in the "C" style whatever the locale:
// a point and a lower-case exponent letter.
std::string localise(std::string text, char decimalSeparator)
{
    if (!text.empty() && text.front() == '-' &&
        text.find_first_not_of("-0.e+") == std::string::npos)
        text.erase(0, 1);  // "-0.00" shows as "0.00"
    for (char& c : text) {
        if (c == '.')
            c = decimalSeparator;
        else if (c == 'e')
            c = 'E';
    }
    return text;
}

std::string format(double value, std::chars_format style, char decimalSeparator)
{
    if (!std::isfinite(value))
        return std::isnan(value) ? "NaN" : (value > 0 ? "Inf" : "-Inf");
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, style, 2);
    return localise(std::string(buffer, result.ptr), decimalSeparator);
}

}  // namespace

std::string formatFixed2(double value, char decimalSeparator)
{
    return format(value, std::chars_format::fixed, decimalSeparator);
}

std::string formatScientific2(double value, char decimalSeparator)
{
    return format(value, std::chars_format::scientific, decimalSeparator);
}
