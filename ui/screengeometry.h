// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMargins>

class QRect;
class QSize;
class QWidget;

// What the screen leaves the program's windows: the frame the window manager puts
// around them, whether a window fits, and keeping it on the screen. The zoom and the
// placement of the windows both ask here, so that they never disagree on what fits.

// The frame the window manager puts around the program's windows, as measured on those
// on screen (a window not yet shown has none to measure); none before any is shown.
// Qt learns a window's frame some time after showing it, so the widest is taken.
QMargins programFrameMargins();

// Whether a frame of `size` fits inside `area`, across and down. Every other question
// of fitting comes here: a window that fits one way only does not fit.
bool fitsIn(const QSize& size, const QRect& area);

// Whether `window`, with its client area at `size` and the program's frame around it,
// fits its screen's available area; false for a window on no screen.
bool fitsItsScreen(const QWidget& window, const QSize& size);

// Moves `window`, when its frame reaches past its screen's available area, back inside
// it, no further than it takes; the left and top edges win where the window is larger
// than the area.
void keepInsideScreen(QWidget& window);
