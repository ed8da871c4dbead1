// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

// A colour as the 24-bit value red + 256 * green + 65536 * blue.
using Colour = std::uint32_t;

constexpr Colour rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    return Colour{red} + 256u * Colour{green} + 65536u * Colour{blue};
}

constexpr Colour black = rgb(0, 0, 0);
constexpr Colour red = rgb(255, 0, 0);

// One straight segment from (x1, y1) to (x2, y2), in user coordinates.
struct UserSegment {
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

// What the drawing code needs from a plot: a picture that keeps what is drawn on it,
// whether its window is visible or not, in a user coordinate system set by two corners.
class PlotSurface {
public:
    virtual ~PlotSurface() = default;

    // Maps the user coordinates so that (x1, y1) is the upper-left corner of the
    // drawing area and (x2, y2) the lower-right one. Erases nothing.
    virtual void scale(float x1, float y1, float x2, float y2) = 0;

    // Draws one straight segment, clipped at the edges, in `colour` or, without one,
    // in the surface's foreground colour.
    virtual void line(float x1, float y1, float x2, float y2,
                      std::optional<Colour> colour = std::nullopt) = 0;

    // Draws a run of segments in one colour, each exactly as `line` would draw it and
    // in this order. A curve or a spectrum has up to millions of segments: a surface
    // that paints can prepare its pen once for all of them.
    virtual void lines(std::span<const UserSegment> segments, Colour colour)
    {
        for (const UserSegment& s : segments)
            line(s.x1, s.y1, s.x2, s.y2, colour);
    }

    // Erases everything drawn (the surface's blank background picture is put back).
    virtual void clear() = 0;

    virtual void setToolTipText(const std::string& text) = 0;
};
