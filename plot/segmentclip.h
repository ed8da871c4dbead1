// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

struct Segment {
    double x1, y1, x2, y2;
};

// The part of `segment` that lies inside the rectangle left..right, top..bottom
// (left <= right, top <= bottom), or nothing when no part does or a coordinate is not
// a number. Plot surfaces clip before they rasterise, so that a line reaching far
// outside the plot (up to the float range) costs no more than one inside it.
std::optional<Segment> clipSegment(Segment segment, double left, double top, double right,
                                   double bottom);
