// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/numbertext.h"
#include "core/twopi.h"

#include "tests/testsupport.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <optional>
#include <string>

namespace {

struct ReadCase {
    const char* name;
    std::string text;
    std::optional<double> expected;
};

void PrintTo(const ReadCase& c, std::ostream* os)
{
    *os << c.name;
}

class ReadNumber : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadNumber, ReadsTheLeadingNumber)
{
    const ReadCase& c = GetParam();
    const std::optional<double> value = readNumber(c.text);
    ASSERT_EQ(value.has_value(), c.expected.has_value()) << '"' << c.text << '"';
    if (c.expected) {
        // Every value here is the correctly rounded double of the digits read, so the
        // comparison is exact; the sign of a zero counts too.
        EXPECT_EQ(*value, *c.expected) << '"' << c.text << '"';
        EXPECT_EQ(std::signbit(*value), std::signbit(*c.expected)) << '"' << c.text << '"';
    }
}

const std::string longSpelledOne = "1" + std::string(400, '0') + "e-400";

INSTANTIATE_TEST_SUITE_P(
    Table, ReadNumber,
    testing::Values(
        // Plain numbers and signs.
        ReadCase{"Integer", "1000", 1000.0}, ReadCase{"Plus", "+3", 3.0},
        ReadCase{"Minus", "-3", -3.0}, ReadCase{"DoubleMinus", "--1", 0.0},
        ReadCase{"Empty", "", 0.0}, ReadCase{"OnlyBlanks", "  \t ", 0.0},
        ReadCase{"Letters", "abc", 0.0}, ReadCase{"TrailingLetters", "12abc", 12.0},
        ReadCase{"LeadingPoint", ".5", 0.5}, ReadCase{"TrailingPoint", "5.", 5.0},
        ReadCase{"SecondPointStops", "1.2.3", 1.2},
        // Blanks, tabs and line feeds vanish wherever they stand; a carriage return does not.
        ReadCase{"GroupedDigits", "1 000", 1000.0},
        ReadCase{"WhitespaceAroundSign", " \t-\n5", -5.0},
        ReadCase{"BlanksInsideExponent", "1.5 e -\t3", 0.0015},
        ReadCase{"CarriageReturnStops", "1\r5", 1.0},
        // The decimal separator is the point, whatever the locale.
        ReadCase{"CommaStops", "0,7", 0.0}, ReadCase{"CommaAfterDigit", "1,5", 1.0},
        // Exponents: E or D, either case, with an optional sign; an exponent with no
        // digits adds nothing.
        ReadCase{"UpperE", "1E2", 100.0}, ReadCase{"LowerE", "1e2", 100.0},
        ReadCase{"UpperD", "1D2", 100.0}, ReadCase{"LowerD", "1d2", 100.0},
        ReadCase{"NegativeExponent", "2.5E-1", 0.25}, ReadCase{"PlusExponent", "1E+02", 100.0},
        ReadCase{"DExponentFraction", "1.5D-3", 0.0015}, ReadCase{"BareE", "1e", 1.0},
        ReadCase{"BareESign", "1e+", 1.0}, ReadCase{"PointAfterExponentStops", "1e2.5", 100.0},
        ReadCase{"SecondExponentStops", "1e2e3", 100.0},
        // Range of a double: overflow gives nothing, underflow gives a zero of its sign.
        ReadCase{"Overflow", "1e999", std::nullopt},
        ReadCase{"NegativeOverflow", "-1e999", std::nullopt}, ReadCase{"Underflow", "1e-999", 0.0},
        ReadCase{"NegativeUnderflow", "-1e-999", -0.0},
        ReadCase{"LargestDouble", "1.7976931348623157e308", DBL_MAX},
        // Above DBL_MAX + half an ulp the nearest value is infinity.
        ReadCase{"BeyondLargestDouble", "1.7976931348623159e308", std::nullopt},
        ReadCase{"BelowHalfwayToInfinity", "1.7976931348623158e308", DBL_MAX},
        ReadCase{"SmallestNormal", "2.2250738585072014e-308", DBL_MIN},
        ReadCase{"SmallestSubnormal", "4.9e-324", 4.9406564584124654e-324},
        ReadCase{"BelowHalfSmallestSubnormal", "2e-324", 0.0},
        // Correct rounding of long digit strings.
        ReadCase{"OneTenth", "0.1", 0.1},
        ReadCase{"OneTenthExpanded", "0.1000000000000000055511151231257827021181583404541015625",
                 0.1},
        ReadCase{"PhaseConstant", "6.28318530717958", twoPi},
        ReadCase{"TieToEven", "9007199254740993", 9007199254740992.0},
        ReadCase{"JustAboveTie", "9007199254740993.0000000001", 9007199254740994.0},
        ReadCase{"ManyDigits", longSpelledOne, 1.0}, ReadCase{"PointThree", "0.3", 0.3},
        ReadCase{"FifteenDigitsBig", "123456789012345e10", 1.23456789012345e24}),
    testsupport::ByName{});

}  // namespace
