#pragma once

#include <QString>

#include <string>

class QWidget;

// The title of the program's message boxes.
inline const QString applicationTitle = QStringLiteral("Filtro elimina banda con la DFT");

// Shows `text` in a modal message box with a single OK button and returns once the
// user has closed it.
void showMessage(QWidget* parent, const std::string& text);
