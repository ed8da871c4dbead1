// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <string>

class QWidget;

// The program's title: the parameter window's caption, the title of its message boxes
// and progress dialog, and the name its icon files carry.
inline const QString applicationTitle = QStringLiteral("Filtro elimina banda con la DFT");

// The width at which a dialog shows its whole title in the window manager's frame.
int titleRoom(const QWidget& dialog);

// Shows `text` in a modal message box with a single OK button and returns once the
// user has closed it. The box is wide enough for its whole title.
void showMessage(QWidget* parent, const std::string& text);
