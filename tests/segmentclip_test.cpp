// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/segmentclip.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

namespace {

void expectSegment(const std::optional<Segment>& actual, Segment expected)
{
    ASSERT_TRUE(actual.has_value());
    EXPECT_NEAR(actual->x1, expected.x1, 1e-9);
    EXPECT_NEAR(actual->y1, expected.y1, 1e-9);
    EXPECT_NEAR(actual->x2, expected.x2, 1e-9);
    EXPECT_NEAR(actual->y2, expected.y2, 1e-9);
}

TEST(ClipSegment, KeepsWhatLiesInside)
{
    expectSegment(clipSegment({10, 20, 30, 40}, 0, 0, 100, 50), {10, 20, 30, 40});
    expectSegment(clipSegment({0, 0, 100, 50}, 0, 0, 100, 50), {0, 0, 100, 50});
    // A segment lying exactly on an edge lies inside: kept, along each of the four.
    expectSegment(clipSegment({100, 0, 100, 0.5}, 0, 0, 100, 50), {100, 0, 100, 0.5});
    expectSegment(clipSegment({0, 40, 0, 10}, 0, 0, 100, 50), {0, 40, 0, 10});
    expectSegment(clipSegment({0, 0, 100, 0}, 0, 0, 100, 50), {0, 0, 100, 0});
    expectSegment(clipSegment({-20, 50, 120, 50}, 0, 0, 100, 50), {0, 50, 100, 50});
}

TEST(ClipSegment, CutsAtTheEdgesItCrosses)
{
    expectSegment(clipSegment({-50, 25, 150, 25}, 0, 0, 100, 50), {0, 25, 100, 25});
    expectSegment(clipSegment({50, -10, 50, 60}, 0, 0, 100, 50), {50, 0, 50, 50});
    expectSegment(clipSegment({-10, -10, 60, 60}, 0, 0, 100, 50), {0, 0, 50, 50});
    // A spectrum line whose top lies at the float limit.
    expectSegment(clipSegment({40, 50, 40, -FLT_MAX}, 0, 0, 100, 50), {40, 50, 40, 0});
    expectSegment(clipSegment({50, 50, FLT_MAX, FLT_MAX}, 0, 0, 100, 100), {50, 50, 100, 100});
}

TEST(ClipSegment, DropsWhatLiesOutsideOrIsNotANumber)
{
    EXPECT_FALSE(clipSegment({FLT_MAX, 0, FLT_MAX, 50}, 0, 0, 100, 50));
    EXPECT_FALSE(clipSegment({-5, 60, 200, 60}, 0, 0, 100, 50));
    EXPECT_FALSE(clipSegment({120, -10, 200, 30}, 0, 0, 100, 50));
    EXPECT_FALSE(clipSegment({std::nan(""), 0, 10, 10}, 0, 0, 100, 50));
    EXPECT_FALSE(clipSegment({0, 0, INFINITY, 10}, 0, 0, 100, 50));
}

}  // namespace
