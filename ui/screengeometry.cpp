// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/screengeometry.h"

#include <QApplication>
#include <QRect>
#include <QScreen>
#include <QSize>
#include <QWidget>

#include <algorithm>

QMargins programFrameMargins()
{
    QMargins widest;
    for (const QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible() || window->windowType() != Qt::Window)
            continue;
        const QRect frame = window->frameGeometry();
        const QRect inside = window->geometry();
        // A frame that stands at the client area's corner is one whose size Qt knows
        // but not yet its place: counted, it would add the title bar to the bottom.
        if (!frame.contains(inside) || frame.topLeft() == inside.topLeft())
            continue;
        widest.setLeft(std::max(widest.left(), inside.left() - frame.left()));
        widest.setTop(std::max(widest.top(), inside.top() - frame.top()));
        widest.setRight(std::max(widest.right(), frame.right() - inside.right()));
        widest.setBottom(std::max(widest.bottom(), frame.bottom() - inside.bottom()));
    }
    return widest;
}

bool fitsIn(const QSize& size, const QRect& area)
{
    return size.width() <= area.width() && size.height() <= area.height();
}

bool fitsItsScreen(const QWidget& window, const QSize& size)
{
    const QScreen* screen = window.screen();
    return screen && fitsIn(size.grownBy(programFrameMargins()), screen->availableGeometry());
}

void keepInsideScreen(QWidget& window)
{
    const QScreen* screen = window.screen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QRect frame = window.geometry().marginsAdded(programFrameMargins());
    // Off the right or bottom edge first; the left and top edges win where the window
    // is larger than the screen.
    QPoint shift(std::min(0, area.right() - frame.right()),
                 std::min(0, area.bottom() - frame.bottom()));
    shift.setX(std::max(shift.x(), area.left() - frame.left()));
    shift.setY(std::max(shift.y(), area.top() - frame.top()));
    if (!shift.isNull())
        window.move(window.pos() + shift);
}
