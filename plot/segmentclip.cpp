// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/segmentclip.h"

#include <cmath>

// Liang-Barsky: the segment is p(u) = start + u * (end - start), 0 <= u <= 1, and each
// edge of the rectangle narrows the interval of u that lies on its inner side.
std::optional<Segment> clipSegment(Segment s, double left, double top, double right, double bottom)
{
    if (!(std::isfinite(s.x1) && std::isfinite(s.y1) && std::isfinite(s.x2) && std::isfinite(s.y2)))
        return std::nullopt;
    const double dx = s.x2 - s.x1;
    const double dy = s.y2 - s.y1;
    double enter = 0;
    double leave = 1;
    // For each edge: the component of the direction towards the outside, and how far
    // inside the start lies.
    const double towardsOutside[4] = {-dx, dx, -dy, dy};
    const double startInside[4] = {s.x1 - left, right - s.x1, s.y1 - top, bottom - s.y1};
    for (int edge = 0; edge < 4; ++edge) {
        const double p = towardsOutside[edge];
        const double q = startInside[edge];
        if (p == 0) {
            if (q < 0)
                return std::nullopt;  // parallel to this edge and outside it
            continue;
        }
        const double u = q / p;
        if (p < 0) {
            if (u > enter)
                enter = u;
        } else if (u < leave) {
            leave = u;
        }
        if (enter > leave)
            return std::nullopt;
    }
    return Segment{enter == 0 ? s.x1 : s.x1 + enter * dx, enter == 0 ? s.y1 : s.y1 + enter * dy,
                   leave == 1 ? s.x2 : s.x1 + leave * dx, leave == 1 ? s.y2 : s.y1 + leave * dy};
}
