// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/integerconversion.h"
#include "core/numberformat.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();

// ---- roundToInt32: nearest integer, ties to even, nothing outside the 32-bit range

struct RoundCase {
    double value;
    std::optional<std::int32_t> expected;
};

void PrintTo(const RoundCase& c, std::ostream* os)
{
    *os << std::to_string(c.value);
}

class RoundToInt32 : public testing::TestWithParam<RoundCase> {};

TEST_P(RoundToInt32, NearestTiesToEven)
{
    EXPECT_EQ(roundToInt32(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, RoundToInt32,
    testing::Values(RoundCase{250.5, 250}, RoundCase{251.5, 252}, RoundCase{-2.5, -2},
                    RoundCase{-3.5, -4}, RoundCase{0.5, 0}, RoundCase{1.5, 2}, RoundCase{2.4, 2},
                    RoundCase{-2.6, -3}, RoundCase{-0.0, 0}, RoundCase{0.49999999999999994, 0},
                    RoundCase{499.99999999999994, 500},
                    // The ends of the range, where the rounding decides whether it fits.
                    RoundCase{2147483647.4, 2147483647}, RoundCase{2147483646.5, 2147483646},
                    RoundCase{2147483647.5, std::nullopt}, RoundCase{2147483648.0, std::nullopt},
                    RoundCase{-2147483648.5, std::numeric_limits<std::int32_t>::min()},
                    RoundCase{-2147483648.6, std::nullopt}, RoundCase{-2147483649.5, std::nullopt},
                    RoundCase{1e300, std::nullopt}, RoundCase{-1e300, std::nullopt},
                    RoundCase{nan, std::nullopt}, RoundCase{inf, std::nullopt},
                    RoundCase{-inf, std::nullopt}));

struct ClampCase {
    double value;
    std::int32_t low;
    std::int32_t high;
    std::int32_t expected;
};

void PrintTo(const ClampCase& c, std::ostream* os)
{
    *os << std::to_string(c.value);
}

class RoundClamped : public testing::TestWithParam<ClampCase> {};

TEST_P(RoundClamped, RoundsThenHoldsWithinBounds)
{
    const ClampCase& c = GetParam();
    EXPECT_EQ(roundClamped(c.value, c.low, c.high), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, RoundClamped,
    testing::Values(ClampCase{250.5, 0, 1000, 250}, ClampCase{251.5, 0, 1000, 252},
                    ClampCase{-0.5, 0, 1000, 0}, ClampCase{-5.5, 0, 1000, 0},
                    ClampCase{1000.5, 0, 1000, 1000}, ClampCase{1001.5, 0, 1000, 1000},
                    ClampCase{-3.5, -10, 10, -4}, ClampCase{1e300, 0, 1000, 1000},
                    ClampCase{-1e300, 0, 1000, 0}, ClampCase{5e9, 0, 2147483647, 2147483647},
                    ClampCase{-5e9, std::numeric_limits<std::int32_t>::min(), 0,
                              std::numeric_limits<std::int32_t>::min()},
                    ClampCase{inf, 0, 7, 7}, ClampCase{-inf, 0, 7, 0}));

// ---- the two readout patterns

struct FormatCase {
    double value;
    const char* separator;
    const char* fixed;
    const char* scientific;
};

void PrintTo(const FormatCase& c, std::ostream* os)
{
    *os << std::to_string(c.value);
}

class NumberFormat : public testing::TestWithParam<FormatCase> {};

TEST_P(NumberFormat, Fixed)
{
    const FormatCase& c = GetParam();
    EXPECT_EQ(formatFixed2(c.value, c.separator), c.fixed);
}

TEST_P(NumberFormat, Scientific)
{
    const FormatCase& c = GetParam();
    EXPECT_EQ(formatScientific2(c.value, c.separator), c.scientific);
}

INSTANTIATE_TEST_SUITE_P(
    Table, NumberFormat,
    testing::Values(
        FormatCase{2, ".", "2.00", "2.00E+00"}, FormatCase{25, ".", "25.00", "2.50E+01"},
        FormatCase{14.5, ".", "14.50", "1.45E+01"}, FormatCase{-0.032, ".", "-0.03", "-3.20E-02"},
        FormatCase{0, ".", "0.00", "0.00E+00"}, FormatCase{1, ".", "1.00", "1.00E+00"},
        // The DC readout of the default pulse train, whose mean is 12.55.
        FormatCase{12.55, ".", "12.55", "1.26E+01"},
        // Rounding that carries into the next digit or exponent.
        FormatCase{9.999, ".", "10.00", "1.00E+01"}, FormatCase{0.996, ".", "1.00", "9.96E-01"},
        FormatCase{99.996, ".", "100.00", "1.00E+02"},
        // No grouping in either pattern.
        FormatCase{1234567.891, ".", "1234567.89", "1.23E+06"},
        FormatCase{1e20, ".", "100000000000000000000.00", "1.00E+20"},
        FormatCase{1.5e-300, ".", "0.00", "1.50E-300"},
        FormatCase{-2.5e-7, ".", "0.00", "-2.50E-07"},
        // A value that shows as zero shows without a minus sign.
        FormatCase{-0.0, ".", "0.00", "0.00E+00"}, FormatCase{-0.004, ".", "0.00", "-4.00E-03"},
        FormatCase{-0.001, ".", "0.00", "-1.00E-03"},
        // The locale's separator.
        FormatCase{2, ",", "2,00", "2,00E+00"}, FormatCase{14.5, ",", "14,50", "1,45E+01"},
        FormatCase{-1.5, ",", "-1,50", "-1,50E+00"}, FormatCase{-0.0, ",", "0,00", "0,00E+00"}));

TEST(ScientificFormat, ThreeDigitExponents)
{
    EXPECT_EQ(formatScientific2(1e100), "1.00E+100");
    EXPECT_EQ(formatScientific2(-9.999e-101, ","), "-1,00E-100");
}

}  // namespace
