// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/zoom.h"

#include "ui/plotwidget.h"
#include "ui/screengeometry.h"
#include "ui/zoomstyle.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QStyle>
#include <QToolTip>
#include <QWheelEvent>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <map>
#include <utility>
#include <vector>

namespace {

int scaled(int pixels, int percent)
{
    return static_cast<int>(std::lround(pixels * percent / 100.0));
}

int nearestStep(int percent)
{
    return *std::min_element(Zoom::steps.begin(), Zoom::steps.end(), [percent](int a, int b) {
        return std::abs(a - percent) < std::abs(b - percent);
    });
}

// Both edges are scaled, so that controls that touch at 100 % still touch.
QRect scaled(const QRect& place, int percent)
{
    const int left = scaled(place.left(), percent);
    const int top = scaled(place.top(), percent);
    return QRect(left, top, scaled(place.left() + place.width(), percent) - left,
                 scaled(place.top() + place.height(), percent) - top);
}

QSize scaled(const QSize& size, int percent)
{
    return {scaled(size.width(), percent), scaled(size.height(), percent)};
}

QFont scaled(QFont font, int percent)
{
    if (percent == 100)
        return font;
    if (font.pixelSize() > 0)
        font.setPixelSize(std::max(1, scaled(font.pixelSize(), percent)));
    else
        font.setPointSizeF(font.pointSizeF() * percent / 100.0);
    return font;
}

// The plots' lines at a zoom step: as wide as a screen of that many device pixels to a
// logical one draws a one-pixel line, so that the lines grow with everything else.
int curveWidthAt(int percent)
{
    return std::max(1, static_cast<int>(std::lround(percent / 100.0)));
}

// A font rounded to whole pixels is not the 100 % font scaled exactly: a caption's lines
// may be wider, and wrap once more, or taller than its box scaled in proportion. The
// box first widens a little, so that the caption wraps as at 100 %, then grows downwards
// to the height its lines take at this step. As at 100 %, the last line may leave out
// the one pixel of spacing below its descenders.
void keepCaptionWhole(QLabel& label)
{
    const auto needed = [&label](int width) {
        return (label.wordWrap() ? label.heightForWidth(width) : label.sizeHint().height()) - 1;
    };
    if (needed(label.width()) <= label.height())
        return;
    const int widest = label.width() + label.width() / 4;
    int width = label.width();
    while (label.wordWrap() && width < widest && needed(width) > label.height())
        ++width;
    if (needed(width) >= needed(label.width()))
        width = label.width();
    label.resize(width, std::max(label.height(), needed(width)));
}

// What a window that follows the zoom keeps of itself as laid out at 100 %.
class ZoomedWindow : public QObject {
public:
    explicit ZoomedWindow(QWidget& window) : QObject(&window), m_window(window)
    {
        setObjectName(QStringLiteral("zoomedWindow"));
    }

    void record()
    {
        m_size = m_window.size();
        m_controls.clear();
        m_fonts.clear();
        m_fonts.emplace_back(&m_window, m_window.font());
        for (QWidget* control : m_window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (control->isWindow())
                continue;
            m_controls.emplace_back(control, control->geometry());
            if (control->testAttribute(Qt::WA_SetFont))
                m_fonts.emplace_back(control, control->font());
        }
        m_recorded = true;
        resizeWindow(m_size);
    }

    bool recorded() const { return m_recorded; }
    QSize size() const { return m_size; }

    void apply(int percent)
    {
        for (const auto& [widget, font] : m_fonts)
            if (widget)
                widget->setFont(scaled(font, percent));
        for (const auto& [widget, place] : m_controls) {
            if (!widget)
                continue;
            auto* plot = qobject_cast<PlotWidget*>(widget.data());
            // Before the new size, which draws the plot again.
            if (plot)
                plot->setCurveWidth(curveWidthAt(percent));
            widget->setGeometry(scaled(place, percent));
            if (auto* label = qobject_cast<QLabel*>(widget.data()); label && percent != 100)
                keepCaptionWhole(*label);
            if (plot)
                plot->fitImage();
        }
        resizeWindow(scaled(m_size, percent));
    }

    // Where the window stood at each step it has been seen at, so that a return to a
    // step puts it back there; forgotten once the user moves it. The client area's
    // place is kept, not the frame's: Qt may learn the frame some time after showing
    // the window, and until then takes its place for the client area's.
    //
    // A place the zoom itself gave the window at some step is not the user's: the
    // window manager answers each move when it gets to it, and steps taken in quick
    // succession (a held Ctrl++) find the window still where an earlier step put it,
    // or put back there by the window manager (mutter does so).
    void rememberPlace(int percent)
    {
        if (!m_placedAt.empty() &&
            std::find(m_placedAt.begin(), m_placedAt.end(), clientPlace()) == m_placedAt.end()) {
            m_places.clear();
            m_placedAt.clear();
        }
        m_places[percent] = clientPlace();
    }

    void returnToPlace(int percent)
    {
        if (const auto place = m_places.find(percent); place != m_places.end())
            m_window.move(m_window.pos() + (place->second - clientPlace()));
    }

    // Notes where the zoom left the window: a later place elsewhere is the user's.
    void notePlaced() { m_placedAt.push_back(clientPlace()); }

    QList<QAction*> actions;

private:
    QPoint clientPlace() const { return m_window.geometry().topLeft(); }

    // Each window keeps the size of its step: its controls stand where the step puts
    // them, and its plot is drawn for that size; nothing stretches. Its size hints tell
    // the window manager so (the least and the largest size the same), and mutter, which
    // maximises a window nearly as large as the screen's work area when it opens, leaves
    // it as the program placed it. All three windows alike: openbox frames a window of
    // a fixed size without its resize handle, and the placement takes one frame for all.
    void resizeWindow(const QSize& size) { m_window.setFixedSize(size); }

    QWidget& m_window;
    bool m_recorded = false;
    QSize m_size;
    std::vector<std::pair<QPointer<QWidget>, QRect>> m_controls;
    std::vector<std::pair<QPointer<QWidget>, QFont>> m_fonts;
    std::map<int, QPoint> m_places;
    // The places the zoom has given the window since the user last moved it.
    std::vector<QPoint> m_placedAt;
};

ZoomedWindow* findZoomed(const QWidget& window)
{
    return window.findChild<ZoomedWindow*>(QStringLiteral("zoomedWindow"),
                                           Qt::FindDirectChildrenOnly);
}

ZoomedWindow& zoomedWindow(QWidget& window)
{
    if (ZoomedWindow* existing = findZoomed(window))
        return *existing;
    return *new ZoomedWindow(window);
}

}  // namespace

Zoom::Zoom(QObject* parent)
    : QObject(parent), m_toolTipFont(QToolTip::font())
{
    // Ctrl and the wheel zoom over any control of a window that follows the zoom,
    // before the control itself (a drop-down, say) takes the wheel.
    QCoreApplication::instance()->installEventFilter(this);
}

Zoom::~Zoom()
{
    QToolTip::setFont(m_toolTipFont);
}

void Zoom::setPercent(int percent)
{
    const int nearest = nearestStep(percent);
    if (nearest == m_percent)
        return;
    const auto eachShown = [this](const auto& act) {
        for (const QPointer<QWidget>& window : m_windows)
            if (window && window->isVisible())
                if (ZoomedWindow* zoomed = findZoomed(*window))
                    act(*zoomed);
    };
    eachShown([this](ZoomedWindow& zoomed) { zoomed.rememberPlace(m_percent); });
    m_percent = nearest;
    for (const auto& [name, style] : m_styles)
        style->setPercent(m_percent);
    QToolTip::setFont(scaled(m_toolTipFont, m_percent));
    emit changed(m_percent);
    // Back at a step seen before, each window returns to where it stood at it; a step
    // that pushed the windows to keep them on the screen is then undone.
    eachShown([this](ZoomedWindow& zoomed) { zoomed.returnToPlace(m_percent); });
    for (const QPointer<QWidget>& window : m_windows)
        if (window && window->isVisible())
            keepInsideScreen(*window);
    eachShown([](ZoomedWindow& zoomed) { zoomed.notePlaced(); });
    updateActions();
}

void Zoom::zoomIn()
{
    const auto next = std::upper_bound(steps.begin(), steps.end(), m_percent);
    if (next != steps.end() && fitsAt(*next))
        setPercent(*next);
}

void Zoom::zoomOut()
{
    const auto at = std::lower_bound(steps.begin(), steps.end(), m_percent);
    if (at != steps.begin())
        setPercent(*std::prev(at));
}

void Zoom::reset()
{
    for (auto step = steps.rbegin(); step != steps.rend(); ++step)
        if (*step <= m_chosen && fitsAt(*step)) {
            setPercent(*step);
            return;
        }
    setPercent(steps.front());
}

void Zoom::lowerTo(int percent)
{
    const int step = nearestStep(percent);
    if (step >= m_percent)
        return;
    m_chosen = std::min(step, 100);
    setPercent(step);
}

QSize Zoom::sizeAt(const QWidget& window, int percent) const
{
    const ZoomedWindow* zoomed = findZoomed(window);
    return scaled(zoomed && zoomed->recorded() ? zoomed->size() : window.size(), percent);
}

bool Zoom::fitsAt(int percent) const
{
    return std::all_of(m_windows.begin(), m_windows.end(), [&](const QPointer<QWidget>& window) {
        return !window || !window->isVisible() || !window->screen() ||
               fitsItsScreen(*window, sizeAt(*window, percent));
    });
}

void Zoom::updateActions()
{
    const auto next = std::upper_bound(steps.begin(), steps.end(), m_percent);
    const bool larger = next != steps.end() && fitsAt(*next);
    for (const QPointer<QWidget>& window : m_windows)
        if (window)
            if (const ZoomedWindow* zoomed = findZoomed(*window);
                zoomed && !zoomed->actions.isEmpty())
                zoomed->actions.front()->setEnabled(larger);
}

void Zoom::follow(QWidget& window)
{
    ZoomedWindow& zoomed = zoomedWindow(window);
    actions(window);
    zoomed.record();
    for (QWidget* control : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (qobject_cast<QAbstractButton*>(control) || qobject_cast<QComboBox*>(control) ||
            qobject_cast<QLineEdit*>(control)) {
            const QString name = control->style()->name();
            ZoomStyle*& style = m_styles[name];
            if (!style) {
                style = new ZoomStyle(name);
                style->setParent(this);
                style->setPercent(m_percent);
            }
            control->setStyle(style);
        }
    m_windows.removeAll(nullptr);
    m_windows << &window;
    connect(this, &Zoom::changed, &zoomed, [&zoomed](int percent) { zoomed.apply(percent); });
    if (m_percent != 100)
        zoomed.apply(m_percent);
}

QList<QAction*> Zoom::actions(QWidget& window)
{
    ZoomedWindow& zoomed = zoomedWindow(window);
    if (!zoomed.actions.isEmpty())
        return zoomed.actions;
    auto make = [&](const char* text, QList<QKeySequence> keys, void (Zoom::*step)()) {
        auto* action = new QAction(QString::fromUtf8(text), &window);
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, step);
        window.addAction(action);
        zoomed.actions << action;
    };
    // Ctrl+= is Ctrl++ without Shift on keyboards where + needs it.
    make("Ingrandisci",
         {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)},
         &Zoom::zoomIn);
    make("Riduci", {QKeySequence(Qt::CTRL | Qt::Key_Minus)}, &Zoom::zoomOut);
    make("Dimensioni originali", {QKeySequence(Qt::CTRL | Qt::Key_0)}, &Zoom::reset);
    return zoomed.actions;
}

bool Zoom::eventFilter(QObject* watched, QEvent* event)
{
    if ((event->type() == QEvent::Show || event->type() == QEvent::Hide) &&
        watched->isWidgetType()) {
        const auto* window = static_cast<QWidget*>(watched);
        if (!window->isWindow() || !findZoomed(*window))
            return false;
        // A window shown or hidden changes which steps fit.
        QMetaObject::invokeMethod(this, &Zoom::updateActions, Qt::QueuedConnection);
        return false;
    }
    if (event->type() != QEvent::Wheel || !watched->isWidgetType())
        return false;
    auto* wheel = static_cast<QWheelEvent*>(event);
    if (!(wheel->modifiers() & Qt::ControlModifier))
        return false;
    const QWidget* window = static_cast<QWidget*>(watched)->window();
    if (!findZoomed(*window))
        return false;
    m_wheelAngle += wheel->angleDelta().y();
    // One step for each notch of 15 degrees; a touchpad's small turns add up to one.
    for (; m_wheelAngle >= 120; m_wheelAngle -= 120)
        zoomIn();
    for (; m_wheelAngle <= -120; m_wheelAngle += 120)
        zoomOut();
    return true;
}
