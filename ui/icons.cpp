// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace {

// Draws `picture` on a transparent square of `size` pixels, in coordinates 0..32.
QPixmap render(int size, const std::function<void(QPainter&)>& picture)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);
    picture(painter);
    return pixmap;
}

QIcon iconOf(const std::function<void(QPainter&)>& picture)
{
    QIcon icon;
    icon.addPixmap(render(16, picture));
    icon.addPixmap(render(32, picture));
    return icon;
}

void drawTrefoil(QPainter& p)
{
    const QPointF centre(16, 16);
    QPainterPath blades;
    // Three blades of 60 degrees each, 120 degrees apart, the first pointing up.
    for (int blade = 0; blade < 3; ++blade) {
        const double start = 60 + 120 * blade;
        QPainterPath sector;
        sector.moveTo(centre);
        sector.arcTo(QRectF(1, 1, 30, 30), start, 60);
        sector.closeSubpath();
        blades = blades.united(sector);
    }
    QPainterPath hub;
    hub.addEllipse(centre, 5, 5);
    blades = blades.subtracted(hub);
    QPainterPath dot;
    dot.addEllipse(centre, 3, 3);
    p.setPen(QPen(QColor(120, 90, 0), 1));
    p.setBrush(QColor(255, 220, 0));
    p.drawPath(blades);
    p.drawPath(dot);
}

}  // namespace

void drawAlarmClock(QPainter& p)
{
    const QColor red(220, 0, 0);
    const QColor darkRed(128, 0, 0);
    p.setPen(QPen(darkRed, 1.5));
    // Bells and legs first, so that the body covers their inner ends.
    p.setBrush(red);
    p.drawEllipse(QPointF(7.5, 7), 5, 5);
    p.drawEllipse(QPointF(24.5, 7), 5, 5);
    p.setPen(QPen(darkRed, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(9, 26), QPointF(6, 30.5));
    p.drawLine(QPointF(23, 26), QPointF(26, 30.5));
    p.setPen(QPen(darkRed, 1.5));
    p.drawEllipse(QPointF(16, 18), 12, 12);
    p.setBrush(Qt::white);
    p.setPen(QPen(darkRed, 1));
    p.drawEllipse(QPointF(16, 18), 8.5, 8.5);
    p.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(16, 18), QPointF(16, 12));
    p.drawLine(QPointF(16, 18), QPointF(20.5, 20.5));
}

QIcon alarmClockIcon()
{
    return iconOf(drawAlarmClock);
}

QIcon trefoilIcon()
{
    return iconOf(drawTrefoil);
}
