// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

// Makes the styles mark the control with the keyboard focus in `window` from the moment
// it is shown. They mark it only once the keyboard has moved the focus (Tab), and Qt
// forgets that each time the window is shown, so "Grafici", which has the focus from
// the start, would show no sign of it.
void showFocusFromTheStart(QWidget& window);
