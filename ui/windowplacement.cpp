// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/windowplacement.h"

#include "ui/zoom.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <optional>
#include <vector>

namespace {

void place(QWidget& window, Zoom& zoom)
{
    const QScreen* screen = window.screen();
    if (!screen)
        return;
    // The zoom fits the window to the screen first, so that its size is final here.
    zoom.fitToScreen(window);

    // The program's other windows on screen, each with the frame the window manager
    // gives them all: Qt learns each window's own frame some time after showing it.
    const QMargins margins = programFrameMargins();
    std::vector<QRect> frames;
    for (const QWidget* other : QApplication::topLevelWidgets())
        if (other != &window && other->isVisible() && other->windowType() == Qt::Window)
            frames.push_back(other->geometry().marginsAdded(margins));
    // The highest first: the parameter window, opened first, usually stands at the top.
    std::stable_sort(frames.begin(), frames.end(),
                     [](const QRect& a, const QRect& b) { return a.top() < b.top(); });
    const QRect area = screen->availableGeometry();
    const QSize size = window.size().grownBy(margins);

    if (size.width() > area.width() || size.height() > area.height())
        return;

    // Below each window (at its left edge, the screen's, or its right edge), then beside
    // it; after those, any place where a window's edge or the screen's meets the new
    // window's.
    std::vector<QPoint> corners;
    std::vector<int> lefts{area.left(), area.right() + 1 - size.width()};
    std::vector<int> tops{area.top(), area.bottom() + 1 - size.height()};
    for (const QRect& other : frames) {
        corners.insert(corners.end(), {QPoint(other.left(), other.bottom() + 1),
                                       QPoint(area.left(), other.bottom() + 1),
                                       QPoint(other.right() + 1 - size.width(), other.bottom() + 1),
                                       QPoint(other.right() + 1, other.top()),
                                       QPoint(other.right() + 1, area.top())});
        lefts.insert(lefts.end(), {other.left(), other.right() + 1, other.left() - size.width(),
                                   other.right() + 1 - size.width()});
        tops.insert(tops.end(), {other.top(), other.bottom() + 1, other.top() - size.height(),
                                 other.bottom() + 1 - size.height()});
    }
    for (int top : tops)
        for (int left : lefts)
            corners.emplace_back(left, top);

    auto covered = [&](const QPoint& corner) {
        const QRect frame(corner, size);
        long long pixels = 0;
        for (const QRect& other : frames) {
            const QRect both = other.intersected(frame);
            pixels += static_cast<long long>(both.width()) * both.height();
        }
        return pixels;
    };
    // The first free place; where every place covers another window, the one that
    // covers least. Either lies inside the screen: a window manager's own place may
    // leave a window partly off a small screen, out of the student's reach.
    std::optional<QPoint> best;
    for (QPoint corner : corners) {
        corner.setX(std::clamp(corner.x(), area.left(), area.right() + 1 - size.width()));
        corner.setY(std::clamp(corner.y(), area.top(), area.bottom() + 1 - size.height()));
        const long long cover = covered(corner);
        if (!best || cover < covered(*best))
            best = corner;
        if (cover == 0)
            break;
    }
    // The frame is placed through its client area: before the window is first shown, Qt
    // cannot know the frame it will get, and may take a frame's position for the
    // client's. The frame around the client area is that of the program's other windows.
    if (best)
        window.setGeometry(QRect(*best + QPoint(margins.left(), margins.top()), window.size()));
}

class FirstShowPlacement : public QObject {
public:
    FirstShowPlacement(QWidget& window, Zoom& zoom)
        : QObject(&window), m_window(window), m_zoom(zoom)
    {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // The show event comes before the window reaches the screen, so the window
        // appears in its place instead of jumping there.
        if (watched == &m_window && event->type() == QEvent::Show) {
            m_window.removeEventFilter(this);
            place(m_window, m_zoom);
        }
        return false;
    }

private:
    QWidget& m_window;
    Zoom& m_zoom;
};

}  // namespace

void placeOnFirstShow(QWidget& window, Zoom& zoom)
{
    new FirstShowPlacement(window, zoom);
}
