// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

class QPainter;

// The windows' icons, drawn at 16 and 32 pixels.

// A red alarm clock: the parameter and waveform windows.
QIcon alarmClockIcon();

// Draws that alarm clock with `painter` in coordinates 0..32 on both axes, so that one
// picture serves every size and the desktop's icon files: scale the painter first.
void drawAlarmClock(QPainter& painter);

// A yellow three-bladed trefoil on a transparent background: the spectrum window.
QIcon trefoilIcon();
