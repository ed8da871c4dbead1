// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: the reading of entry texts, the two number patterns of the readouts
// and the conversion of reals to 32-bit integers. Every input is read as an entry text
// as typed; its first eight bytes are also taken as a double, which is formatted in
// both patterns, with a decimal separator a locale may give (chosen by the ninth byte),
// and read back.

#include "core/integerconversion.h"
#include "core/numberformat.h"
#include "core/numbertext.h"
#include "fuzzcheck.h"

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace {

bool sameReading(std::optional<double> a, std::optional<double> b)
{
    return a.has_value() == b.has_value() &&
           (!a || std::bit_cast<std::uint64_t>(*a) == std::bit_cast<std::uint64_t>(*b));
}

// What the conversion must give: the nearest integer with ties to even (the default
// rounding of nearbyint), and nothing when that lies outside the 32-bit range.
void checkConversion(double value)
{
    const std::optional<std::int32_t> converted = roundToInt32(value);
    if (!std::isfinite(value)) {
        require(!converted, "a value that is not finite became an integer");
        return;
    }
    const double nearest = std::nearbyint(value);
    const bool fits = nearest >= -2147483648.0 && nearest <= 2147483647.0;
    require(converted.has_value() == fits, "the 32-bit range was misjudged");
    require(!fits || static_cast<double>(*converted) == nearest,
            "a value was rounded to the wrong integer");
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Puts the point back for the separator and checks the pattern's shape on the way:
// "-d...d.dd" for fixed point, "-d.ddE+dd" (two or three exponent digits) for
// scientific, the minus sign only in front of a value that does not show as zero.
std::string pointed(const std::string& text, std::string_view separator, bool scientific)
{
    const std::size_t at = text.find(separator);
    require(at != std::string::npos, "a formatted number has no decimal separator");
    std::string plain = text.substr(0, at) + "." + text.substr(at + separator.size());
    std::string_view rest = plain;
    const bool negative = !rest.empty() && rest.front() == '-';
    if (negative)
        rest.remove_prefix(1);
    const std::size_t point = rest.find('.');
    require(point >= 1 && point != std::string_view::npos, "no digits before the separator");
    for (std::size_t i = 0; i < point; ++i)
        require(isDigit(rest[i]), "a formatted number holds a stray character");
    require(!scientific || point == 1, "the scientific pattern has one leading digit");
    require(rest.size() >= point + 3 && isDigit(rest[point + 1]) && isDigit(rest[point + 2]),
            "the pattern does not have two decimals");
    std::string_view tail = rest.substr(point + 3);
    if (scientific) {
        require(tail.size() >= 4 && tail[0] == 'E' && (tail[1] == '+' || tail[1] == '-'),
                "the scientific pattern has no signed exponent");
        tail.remove_prefix(2);
        require(tail.size() <= 3 && isDigit(tail[0]) && isDigit(tail[1]) &&
                    (tail.size() == 2 || isDigit(tail[2])),
                "the exponent is not two or three digits");
    } else {
        require(tail.empty(), "the fixed pattern goes on after its decimals");
    }
    if (negative) {
        const std::string_view digits = scientific ? rest.substr(0, point + 3) : rest;
        require(digits.find_first_not_of("0.") != std::string_view::npos,
                "a value that shows as zero carries a minus sign");
    }
    return plain;
}

// A value formatted and read back lies within the pattern's rounding of the original:
// half a unit of the second decimal (of the mantissa, for the scientific pattern), plus
// the rounding of the reading itself.
void checkRoundTrip(double value, std::string_view separator)
{
    const double reading = std::fabs(value) * 0x1p-52 + std::numeric_limits<double>::denorm_min();

    const auto fixed = readNumber(pointed(formatFixed2(value, separator), separator, false));
    require(fixed.has_value(), "a fixed-point number did not read back");
    require(std::fabs(*fixed - value) <= 0.005 * (1 + 0x1p-40) + reading,
            "a fixed-point number read back too far from its value");

    // Only a value that rounds up past the largest double, to 1.80E+308, cannot.
    const auto scientific =
        readNumber(pointed(formatScientific2(value, separator), separator, true));
    require(scientific.has_value() || std::fabs(value) >= 1.795e308,
            "a scientific number did not read back");
    if (!scientific)
        return;
    require(std::fabs(*scientific - value) <= 0.005 * std::fabs(value) * (1 + 0x1p-40) + reading,
            "a scientific number read back too far from its value");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The input is used in place: AddressSanitizer catches a read one byte past it.
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<double> value = readNumber(text);
    require(!value || std::isfinite(*value), "an entry read as a number that is not finite");
    if (value)
        checkConversion(*value);

    // Reading stops at the first character that cannot continue a number, so one more
    // such character after the text changes nothing.
    require(sameReading(readNumber(std::string(text) + "x"), value),
            "a character after the text changed its reading");

    if (size >= sizeof(double)) {
        double raw = 0;
        std::memcpy(&raw, data, sizeof raw);
        checkConversion(raw);
        // The point, the comma, or the Arabic decimal separator of two bytes.
        constexpr std::string_view separators[] = {".", ",", "\xd9\xab"};
        if (std::isfinite(raw))
            checkRoundTrip(raw, separators[size > sizeof raw ? data[sizeof raw] % 3 : 0]);
    }
    return 0;
}
