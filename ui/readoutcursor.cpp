// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/readoutcursor.h"

#include "core/runsummary.h"
#include "core/samplecount.h"
#include "plot/plotdrawing.h"
#include "ui/localenumbers.h"
#include "ui/plotaccessible.h"
#include "ui/plotwidget.h"

#include <QKeyEvent>

#include <algorithm>
#include <utility>

namespace {

// Both plots span 0..100 across and upwards; Up and Down step 1 % of that.
constexpr double plotTop = 100;
constexpr double verticalStep = 1;

}  // namespace

ReadoutCursor::ReadoutCursor(PlotWidget& plot, const ComputationModule& module, Plot kind,
                             Reader reader)
    : QObject(&plot), m_plot(plot), m_module(module), m_kind(kind), m_reader(std::move(reader))
{
    plot.installEventFilter(this);
    connect(&plot, &PlotWidget::mouseMoved, this,
            [this](int, int, float x, float y) { followMouse(x, y); });
    // A new run takes the cross away; the keys start again from the point. The plot is
    // cleared before the run draws, and the run is the module's once it has drawn: its
    // summary is made when the request has returned.
    connect(&plot, &PlotWidget::cleared, this, &ReadoutCursor::leaveKeyboard, Qt::QueuedConnection);
    describeRun();
}

bool ReadoutCursor::showsRun() const
{
    // A plot that no run has given its coordinate system belongs to a window created or
    // shown again since the last run: it is empty whatever the module holds.
    return m_module.completedRun() != nullptr && m_plot.hasUserScale();
}

std::int32_t ReadoutCursor::firstPlace() const
{
    // The spectrum plot leaves out line 0, the DC component.
    return m_kind == Plot::waveform ? 0 : 1;
}

std::int32_t ReadoutCursor::lastPlace() const
{
    const CompletedRun& run = *m_module.completedRun();
    const std::int32_t n = run.parameters.sampleCount;
    if (m_kind == Plot::waveform)
        return n;
    // The lines drawn are 1..R(N/2); those on the plot end where x passes 100.
    const std::int32_t highest = highestLine(n);
    if (!(run.spectrumScale > 0))
        return 0;
    // x = 200 k scale / N reaches 100 at k = N / (2 scale).
    const double atRightEdge = n / (2 * run.spectrumScale);
    std::int32_t last = atRightEdge < highest ? static_cast<std::int32_t>(atRightEdge) : highest;
    while (last < highest && lineX(last + 1, n, run.spectrumScale) <= plotTop)
        ++last;
    while (last >= 1 && lineX(last, n, run.spectrumScale) > plotTop)
        --last;
    return last;
}

double ReadoutCursor::placeX(std::int32_t place) const
{
    const CompletedRun& run = *m_module.completedRun();
    const std::int32_t n = run.parameters.sampleCount;
    return m_kind == Plot::waveform ? sampleX(place, n) : lineX(place, n, run.spectrumScale);
}

std::int32_t ReadoutCursor::placesLeftOf(double x, bool atX) const
{
    // The places' x never decreases from one to the next.
    std::int32_t low = firstPlace();
    std::int32_t high = lastPlace() + 1;
    while (low < high) {
        const std::int32_t middle = low + (high - low) / 2;
        const double at = placeX(middle);
        if (at < x || (atX && at == x))
            low = middle + 1;
        else
            high = middle;
    }
    return low - firstPlace();
}

bool ReadoutCursor::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &m_plot)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress:
        return handleKey(*static_cast<QKeyEvent*>(event));
    case QEvent::FocusOut:
        if (m_keyboardLeads)
            leaveKeyboard();
        return false;
    default:
        return false;
    }
}

bool ReadoutCursor::handleKey(const QKeyEvent& key)
{
    if ((key.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) != Qt::NoModifier)
        return false;
    switch (key.key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
        break;
    default:
        return false;
    }
    if (!showsRun())
        return true;

    const std::int32_t first = firstPlace();
    const std::int32_t last = lastPlace();
    const bool anyPlace = first <= last;
    const std::int32_t steps = key.modifiers() & Qt::ShiftModifier ? 10 : 1;
    auto clampPlace = [&](std::int64_t place) {
        return static_cast<std::int32_t>(std::clamp<std::int64_t>(place, first, last));
    };

    // The point starts in the middle of the plot, at the place nearest left of it.
    QPointF point = m_point.value_or(QPointF(
        anyPlace ? placeX(clampPlace(std::int64_t{first} + placesLeftOf(50, true) - 1)) : 50, 50));
    std::optional<std::int32_t> place;
    switch (key.key()) {
    case Qt::Key_Right:
        if (anyPlace)
            place = clampPlace(std::int64_t{first} + placesLeftOf(point.x(), true) - 1 + steps);
        break;
    case Qt::Key_Left:
        if (anyPlace)
            place = clampPlace(std::int64_t{first} + placesLeftOf(point.x(), false) - steps);
        break;
    case Qt::Key_Home:
        if (anyPlace)
            place = first;
        break;
    case Qt::Key_End:
        if (anyPlace)
            place = last;
        break;
    case Qt::Key_Up:
        point.setY(point.y() + steps * verticalStep);
        break;
    case Qt::Key_Down:
        point.setY(point.y() - steps * verticalStep);
        break;
    default:
        break;
    }
    // Left, Right, Home and End land on the curve's sample or the line's top.
    if (place)
        point = QPointF(placeX(*place), m_reader.placeY(*place, point.y()));
    // A point the mouse left beside the plot, as in a drag, comes back onto it.
    point.setY(std::clamp(point.y(), 0.0, plotTop));
    readAt(point);
    return true;
}

QString ReadoutCursor::placeName(double x) const
{
    const std::int32_t first = firstPlace();
    const std::int32_t last = lastPlace();
    const std::int32_t place = first + placesLeftOf(x, true) - 1;
    if (place < first || place > last || placeX(place) != x)
        return {};
    if (m_kind == Plot::waveform)
        return QStringLiteral(", campione %1 di %2")
            .arg(place)
            .arg(m_module.completedRun()->parameters.sampleCount);
    return QStringLiteral(", riga %1 di %2").arg(place).arg(last);
}

void ReadoutCursor::readAt(QPointF point)
{
    m_point = point;
    m_keyboardLeads = true;
    const QString readout = m_reader.readout(point);
    m_plot.setMark(point, readout + placeName(point.x()));
    if (readout.isEmpty())
        return;
    m_plot.showToolTipAt(readout, point);
    PlotAccessible::announceMark(m_plot);
}

void ReadoutCursor::followMouse(float x, float y)
{
    if (!m_plot.hasUserScale())
        return;
    m_point = QPointF(x, y);
    if (m_keyboardLeads)
        leaveKeyboard();
}

void ReadoutCursor::leaveKeyboard()
{
    m_keyboardLeads = false;
    m_plot.setMark(std::nullopt);
    describeRun();
}

void ReadoutCursor::describeRun()
{
    QString summary;
    if (showsRun()) {
        const CompletedRun& run = *m_module.completedRun();
        const std::string separator = localeDecimalSeparator();
        summary =
            QString::fromStdString(m_kind == Plot::waveform ? waveformSummary(run, separator)
                                                            : spectrumSummary(run, separator));
    }
    m_plot.setAccessibleDescription(summary);
}
