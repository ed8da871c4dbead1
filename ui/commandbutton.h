// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QPushButton>

// A push button whose face shows its own colour on every platform style and whose
// caption wraps at word boundaries when it is wider than the button. Enter does not
// press it; Space and a click do.
class CommandButton : public QPushButton {
    Q_OBJECT

public:
    CommandButton(const QString& caption, QColor face, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
