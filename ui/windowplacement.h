// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;
class Zoom;

// A window that would not fit its screen's available area when it is first shown makes
// the zoom step down until it does (to 50 % at the least); the step then taken is the
// one Ctrl+0 comes back to.

// Puts the parameter window at the top of its screen's available area and centred
// across it, so that the plot windows find room below it, and fits it to the screen
// when first shown. Called before the window is first shown, so that it appears there.
void placeAtTop(QWidget& parameters, Zoom& zoom);

// Fits `window` to its screen when it is first shown, and places it inside its screen's
// available area where it covers nothing of `parameters`, the window with the entries,
// and, among such places, least of the program's other windows on screen: below one of
// them or beside it, the highest window's places first. When no place keeps `parameters` clear at the present
// zoom but one does at a smaller step of at least 80 %, the zoom takes the largest such
// step. When none does, the window only has to fit the screen, and goes where it covers
// least. It is never placed again, so a window the user has moved stays where the user
// put it.
void placeOnFirstShow(QWidget& window, Zoom& zoom, const QWidget& parameters);

// Whether `window`, with its frame, lies over any control of `other` that can take
// the keyboard focus; `window` is taken to be the higher of the two.
bool coversFocusableControls(const QWidget& window, const QWidget& other);
