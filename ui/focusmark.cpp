// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/focusmark.h"

#include <QEvent>
#include <QWidget>

namespace {

class FocusMark : public QObject {
public:
    explicit FocusMark(QWidget& window) : QObject(&window), m_window(window)
    {
        m_window.installEventFilter(this);
        m_window.setAttribute(Qt::WA_KeyboardFocusChange);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == &m_window && event->type() == QEvent::Show)
            m_window.setAttribute(Qt::WA_KeyboardFocusChange);
        return false;
    }

private:
    QWidget& m_window;
};

}  // namespace

void showFocusFromTheStart(QWidget& window)
{
    new FocusMark(window);
}
