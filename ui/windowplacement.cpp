// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/windowplacement.h"

#include "ui/screengeometry.h"
#include "ui/zoom.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <functional>
#include <iterator>
#include <optional>
#include <vector>

namespace {

long long overlap(const QRect& a, const QRect& b)
{
    const QRect both = a.intersected(b);
    return static_cast<long long>(both.width()) * both.height();
}

// Whether a frame of `size` fits inside `area` somewhere clear of `keepClear`: beside
// it, above it or below it.
bool roomBeside(const QRect& area, const QSize& size, const QRect& keepClear)
{
    const QRect inside = keepClear.intersected(area);
    if (inside.isEmpty())
        return fitsIn(size, area);
    const QRect strips[] = {
        QRect(area.topLeft(), QPoint(inside.left() - 1, area.bottom())),
        QRect(QPoint(inside.right() + 1, area.top()), area.bottomRight()),
        QRect(area.topLeft(), QPoint(area.right(), inside.top() - 1)),
        QRect(QPoint(area.left(), inside.bottom() + 1), area.bottomRight()),
    };
    return std::any_of(std::begin(strips), std::end(strips),
                       [&size](const QRect& strip) { return fitsIn(size, strip); });
}

// The largest zoom step, from the present one down to 80 %, at which `window` fits
// somewhere on `area` clear of `parameters`; nothing when none does.
std::optional<int> stepKeepingClear(const Zoom& zoom, const QWidget& window,
                                    const QWidget& parameters, const QRect& area,
                                    const QMargins& margins)
{
    constexpr int smallestStep = 80;
    for (auto step = Zoom::steps.rbegin(); step != Zoom::steps.rend(); ++step) {
        if (*step > zoom.percent() || *step < smallestStep)
            continue;
        // The parameter window keeps its place and follows the zoom too.
        const QRect clear(parameters.geometry().topLeft() - QPoint(margins.left(), margins.top()),
                          zoom.sizeAt(parameters, *step).grownBy(margins));
        if (roomBeside(area, zoom.sizeAt(window, *step).grownBy(margins), clear))
            return *step;
    }
    return std::nullopt;
}

void place(QWidget& window, Zoom& zoom, const QWidget* parameters)
{
    const QScreen* screen = window.screen();
    if (!screen)
        return;
    const QMargins margins = programFrameMargins();
    const QRect area = screen->availableGeometry();
    const bool keepParametersClear = parameters && parameters->isVisible();
    // The entries stay in sight if a smaller step of the zoom allows it; otherwise the
    // window only has to fit the screen, as it already does.
    if (keepParametersClear)
        if (const auto step = stepKeepingClear(zoom, window, *parameters, area, margins))
            zoom.lowerTo(*step);

    // The program's other windows on screen, each with the frame the window manager
    // gives them all: Qt learns each window's own frame some time after showing it.
    std::optional<QRect> clear;
    std::vector<QRect> frames;
    for (const QWidget* other : QApplication::topLevelWidgets()) {
        if (other == &window || !other->isVisible() || other->windowType() != Qt::Window)
            continue;
        frames.push_back(other->geometry().marginsAdded(margins));
        if (keepParametersClear && other == parameters)
            clear = frames.back();
    }
    // The highest first: the parameter window, opened first, stands at the top.
    std::stable_sort(frames.begin(), frames.end(),
                     [](const QRect& a, const QRect& b) { return a.top() < b.top(); });
    const QSize size = window.size().grownBy(margins);
    if (!fitsIn(size, area))
        return;

    // Below each window (at the screen's left edge, leaving the most room beside for the
    // next window, then at the window's left or right edge), then beside it; after those,
    // any place where a window's edge or the screen's meets the new window's.
    std::vector<QPoint> corners;
    std::vector<int> lefts{area.left(), area.right() + 1 - size.width()};
    std::vector<int> tops{area.top(), area.bottom() + 1 - size.height()};
    for (const QRect& other : frames) {
        corners.insert(corners.end(), {QPoint(area.left(), other.bottom() + 1),
                                       QPoint(other.left(), other.bottom() + 1),
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

    // What a place costs: first what it hides of the entries, then of the other windows.
    struct Cost {
        long long parameters = 0;
        long long others = 0;
        auto operator<=>(const Cost&) const = default;
    };
    auto cost = [&](const QPoint& corner) {
        const QRect frame(corner, size);
        Cost c;
        for (const QRect& other : frames)
            c.others += overlap(other, frame);
        if (clear)
            c.parameters = overlap(*clear, frame);
        return c;
    };
    // The first free place; where every place covers another window, the one that
    // costs least. Either lies inside the screen: a window manager's own place may leave
    // a window partly off a small screen, out of the student's reach.
    std::optional<QPoint> best;
    std::optional<Cost> bestCost;
    for (QPoint corner : corners) {
        corner.setX(std::clamp(corner.x(), area.left(), area.right() + 1 - size.width()));
        corner.setY(std::clamp(corner.y(), area.top(), area.bottom() + 1 - size.height()));
        const Cost c = cost(corner);
        if (!bestCost || c < *bestCost) {
            best = corner;
            bestCost = c;
        }
        if (c == Cost{})
            break;
    }
    // The frame is placed through its client area: before the window is first shown, Qt
    // cannot know the frame it will get, and may take a frame's position for the
    // client's. The frame around the client area is that of the program's other windows.
    if (best)
        window.setGeometry(QRect(*best + QPoint(margins.left(), margins.top()), window.size()));
}

// Lowers the zoom, when `window` does not fit its screen's available area, to the
// largest step at or below 100 % at which it does, or to the smallest step.
void fitToScreen(QWidget& window, Zoom& zoom)
{
    if (!window.screen() || fitsItsScreen(window, window.size()))
        return;
    const auto fitting = std::find_if(Zoom::steps.rbegin(), Zoom::steps.rend(), [&](int step) {
        return step <= 100 && fitsItsScreen(window, zoom.sizeAt(window, step));
    });
    zoom.lowerTo(fitting != Zoom::steps.rend() ? *fitting : Zoom::steps.front());
}

// The one thing that happens when `window` is first shown: it is fitted to its screen,
// then `placement` runs. The show event comes before the window reaches the screen, so
// the window appears at its size and place instead of jumping there.
class FirstShow : public QObject {
public:
    FirstShow(QWidget& window, Zoom& zoom, std::function<void()> placement)
        : QObject(&window), m_window(window), m_zoom(zoom), m_placement(std::move(placement))
    {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == &m_window && event->type() == QEvent::Show) {
            m_window.removeEventFilter(this);
            fitToScreen(m_window, m_zoom);
            if (m_placement)
                m_placement();
        }
        return false;
    }

private:
    QWidget& m_window;
    Zoom& m_zoom;
    std::function<void()> m_placement;
};

}  // namespace

void placeAtTop(QWidget& parameters, Zoom& zoom)
{
    new FirstShow(parameters, zoom, {});
    const QScreen* screen = parameters.screen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    // No frame is known before the first window is shown. A move before the window is
    // made on the screen places the frame's corner, whatever the frame turns out to be.
    const int left = area.left() + std::max(0, (area.width() - parameters.width()) / 2);
    parameters.move(left, area.top());
}

void placeOnFirstShow(QWidget& window, Zoom& zoom, const QWidget& parameters)
{
    new FirstShow(window, zoom, [&window, &zoom, keep = QPointer<const QWidget>(&parameters)] {
        place(window, zoom, keep.data());
    });
}

bool coversFocusableControls(const QWidget& window, const QWidget& other)
{
    if (!window.isVisible() || !other.isVisible())
        return false;
    const QRect frame = window.geometry().marginsAdded(programFrameMargins());
    for (const QWidget* control : other.findChildren<QWidget*>()) {
        if (!control->isVisible() || !(control->focusPolicy() & Qt::TabFocus) ||
            control->focusProxy())
            continue;
        const QRect place(control->mapToGlobal(QPoint(0, 0)), control->size());
        if (frame.intersects(place))
            return true;
    }
    return false;
}
