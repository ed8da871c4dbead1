#pragma once

#include <QIcon>

// The windows' icons, drawn at 16 and 32 pixels.

// A red alarm clock: the parameter and waveform windows.
QIcon alarmClockIcon();

// A yellow three-bladed trefoil on a transparent background: the spectrum window.
QIcon trefoilIcon();
