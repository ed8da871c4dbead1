// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "plot/plotsurface.h"

#include <QColor>
#include <QSizeF>

class QPainter;

// A plot surface that paints through a painter it is lent, for as long as one drawing
// lasts: the plot drawn again on a vector device (an SVG or PDF file) by the same
// drawing code as on the screen, every segment a line of its own that a report can
// scale. The drawing area is `size` in the painter's units from its origin, filled with
// `background` first; user coordinates map onto it as on the screen, segments are
// clipped at its edges, and lines are one unit wide.
class PaintedPlotSurface : public PlotSurface {
public:
    PaintedPlotSurface(QPainter& painter, QSizeF size, QColor background);

    void scale(float x1, float y1, float x2, float y2) override;
    void line(float x1, float y1, float x2, float y2,
              std::optional<Colour> colour = std::nullopt) override;
    void lines(std::span<const UserSegment> segments, Colour colour) override;
    void clear() override;
    // A file has no tool-tip: ignored.
    void setToolTipText(const std::string& text) override;

private:
    void paint(std::span<const UserSegment> segments, QColor colour);

    QPainter& m_painter;
    QSizeF m_size;
    QColor m_background;
    double m_left = 0, m_top = 0, m_right = 1, m_bottom = 1;
};
