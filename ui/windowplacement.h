// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;
class Zoom;

// Places `window`, when it is first shown, where it covers none of the program's other
// windows on screen, inside its screen's available area: below one of them or beside
// it, the parameter window's places first. When no such place exists it goes where it
// covers least of them, still inside the screen. It is never moved again, so a window
// the user has moved stays where the user put it. `zoom` first fits the window to its
// screen, so that its size is final when it is placed.
void placeOnFirstShow(QWidget& window, Zoom& zoom);
