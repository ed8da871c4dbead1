// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>

// The windows are laid out in twips, 1/1440 inch: 15 to a logical pixel at 96 dots
// per inch. Qt scales logical pixels to the screen, so the layout keeps its proportions
// on high-density screens.
constexpr int twips(int value)
{
    return (value + 7) / 15;
}

constexpr QRect twipRect(int left, int top, int width, int height)
{
    return QRect(twips(left), twips(top), twips(width), twips(height));
}
