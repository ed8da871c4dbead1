// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/paintedplotsurface.h"

#include "plot/segmentclip.h"

#include <QPainter>
#include <QPen>
#include <QPointF>
#include <QRectF>

namespace {

QColor toQColor(Colour colour)
{
    return QColor(static_cast<int>(colour & 0xFFu), static_cast<int>((colour >> 8) & 0xFFu),
                  static_cast<int>((colour >> 16) & 0xFFu));
}

}  // namespace

PaintedPlotSurface::PaintedPlotSurface(QPainter& painter, QSizeF size, QColor background)
    : m_painter(painter), m_size(size), m_background(background)
{
    clear();
}

void PaintedPlotSurface::scale(float x1, float y1, float x2, float y2)
{
    m_left = x1;
    m_top = y1;
    m_right = x2;
    m_bottom = y2;
}

void PaintedPlotSurface::line(float x1, float y1, float x2, float y2, std::optional<Colour> colour)
{
    const UserSegment segment{x1, y1, x2, y2};
    // The foreground colour of the plots on the screen.
    paint({&segment, 1}, colour ? toQColor(*colour) : QColor(Qt::black));
}

void PaintedPlotSurface::lines(std::span<const UserSegment> segments, Colour colour)
{
    paint(segments, toQColor(colour));
}

void PaintedPlotSurface::paint(std::span<const UserSegment> segments, QColor colour)
{
    m_painter.setPen(QPen(colour, 1));
    const double width = m_size.width();
    const double height = m_size.height();
    for (const UserSegment& s : segments) {
        const double x1 = (s.x1 - m_left) / (m_right - m_left) * width;
        const double y1 = (s.y1 - m_top) / (m_bottom - m_top) * height;
        const double x2 = (s.x2 - m_left) / (m_right - m_left) * width;
        const double y2 = (s.y2 - m_top) / (m_bottom - m_top) * height;
        // The same margin of one unit as on the screen keeps the ends of a line that
        // stops just outside the edge.
        if (const auto visible = clipSegment({x1, y1, x2, y2}, -1, -1, width + 1, height + 1))
            m_painter.drawLine(QPointF(visible->x1, visible->y1),
                               QPointF(visible->x2, visible->y2));
    }
}

void PaintedPlotSurface::clear()
{
    m_painter.fillRect(QRectF(QPointF(0, 0), m_size), m_background);
}

void PaintedPlotSurface::setToolTipText(const std::string&)
{
}
