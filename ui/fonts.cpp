// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/fonts.h"

#include <QStringList>

#include <cmath>

QFont windowFont(double points, bool bold)
{
    QFont font;
    // Liberation Sans (Debian's fonts-liberation) and Arial share their metrics, and
    // every caption of the windows fits its box in them.
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                      QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                      QStringLiteral("Helvetica")});
    font.setStyleHint(QFont::SansSerif);
    // Pixels rather than points: the layout is in logical pixels, and a point size
    // would grow with the screen's font DPI setting while the boxes do not.
    font.setPixelSize(static_cast<int>(std::lround(points * 96 / 72)));
    font.setBold(bold);
    return font;
}
