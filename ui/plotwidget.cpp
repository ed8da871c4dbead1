// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/plotwidget.h"

#include "plot/segmentclip.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <utility>

namespace {

QColor toQColor(Colour colour)
{
    return QColor(static_cast<int>(colour & 0xFFu), static_cast<int>((colour >> 8) & 0xFFu),
                  static_cast<int>((colour >> 16) & 0xFFu));
}

int buttonState(Qt::MouseButtons buttons)
{
    return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
           (buttons & Qt::MiddleButton ? 4 : 0);
}

int shiftState(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
           (modifiers & Qt::AltModifier ? 4 : 0);
}

}  // namespace

PlotWidget::PlotWidget(QColor background, QWidget* parent)
    : QFrame(parent), m_background(background)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    makeImage();
}

void PlotWidget::fitImage()
{
    // Drawing again into a new picture goes through the same calls as drawing, which
    // fit the picture first; it already fits.
    if (m_redrawing)
        return;
    if (m_image.deviceIndependentSize().toSize() != contentsRect().size() ||
        m_image.devicePixelRatio() != devicePixelRatioF())
        makeImage();
}

void PlotWidget::makeImage()
{
    const qreal ratio = devicePixelRatioF();
    const QSize size = contentsRect().size();
    QImage image(size * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(m_background);
    m_image = image;
    if (m_redraw) {
        m_redrawing = true;
        m_redraw(*this);
        m_redrawing = false;
    }
}

void PlotWidget::setRedraw(std::function<void(PlotSurface&)> redraw)
{
    m_redraw = std::move(redraw);
}

void PlotWidget::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    fitImage();
}

void PlotWidget::scale(float x1, float y1, float x2, float y2)
{
    m_mapping = {true, x1, y1, x2, y2};
}

QPointF PlotWidget::toPixel(QPointF user) const
{
    if (!m_mapping.user)
        return user;
    const QSizeF size = m_image.deviceIndependentSize();
    return {(user.x() - m_mapping.left) / (m_mapping.right - m_mapping.left) * size.width(),
            (user.y() - m_mapping.top) / (m_mapping.bottom - m_mapping.top) * size.height()};
}

QPointF PlotWidget::toUser(QPointF pixel) const
{
    if (!m_mapping.user)
        return pixel;
    const QSizeF size = m_image.deviceIndependentSize();
    return {m_mapping.left + pixel.x() / size.width() * (m_mapping.right - m_mapping.left),
            m_mapping.top + pixel.y() / size.height() * (m_mapping.bottom - m_mapping.top)};
}

void PlotWidget::line(float x1, float y1, float x2, float y2, std::optional<Colour> colour)
{
    const UserSegment segment{x1, y1, x2, y2};
    paint({&segment, 1}, colour ? toQColor(*colour) : QColor(Qt::black));
}

void PlotWidget::lines(std::span<const UserSegment> segments, Colour colour)
{
    paint(segments, toQColor(colour));
}

void PlotWidget::paint(std::span<const UserSegment> segments, QColor colour)
{
    fitImage();
    QPainter painter(&m_image);
    // Plain lines without smoothing, one pixel wide at 100 %: a vertical spectrum line
    // covers exactly its columns of pixels, in its own colour, and the picture copied to
    // the clipboard holds only the colours that were drawn.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(colour, m_curveWidth));
    const QSizeF size = m_image.deviceIndependentSize();
    for (const UserSegment& s : segments) {
        const QPointF start = toPixel({s.x1, s.y1});
        const QPointF end = toPixel({s.x2, s.y2});
        // A margin of one pixel keeps the ends of a line that stops just outside the edge.
        const auto visible = clipSegment({start.x(), start.y(), end.x(), end.y()}, -1, -1,
                                         size.width() + 1, size.height() + 1);
        if (visible)
            painter.drawLine(QPointF(visible->x1, visible->y1), QPointF(visible->x2, visible->y2));
    }
    update();
}

void PlotWidget::clear()
{
    m_redraw = nullptr;
    fitImage();
    m_image.fill(m_background);
    update();
    emit cleared();
}

void PlotWidget::setMark(std::optional<QPointF> user, const QString& text)
{
    m_markText = user ? text : QString();
    if (user)
        ++m_markSerial;
    if (user == m_mark)
        return;
    m_mark = user;
    update();
}

void PlotWidget::setToolTipText(const std::string& text)
{
    const QString tip = QString::fromStdString(text);
    setToolTip(tip);
    // A tool-tip already on screen follows the cursor at once; otherwise it appears,
    // as usual, when the cursor rests.
    if (QToolTip::isVisible())
        QToolTip::showText(m_lastCursor.value_or(QCursor::pos()), tip, this);
}

void PlotWidget::showToolTipAt(const QString& text, QPointF user)
{
    setToolTip(text);
    const QPoint pixel = (QPointF(contentsRect().topLeft()) + toPixel(user)).toPoint();
    // Qt moves a tool-tip that shows only when its text changes or the new place lies
    // outside the rectangle it was shown for: a rectangle of the point's pixel alone
    // makes it follow every step.
    QToolTip::showText(mapToGlobal(pixel), text, this, QRect(pixel, QSize(1, 1)));
}

void PlotWidget::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.drawImage(contentsRect().topLeft(), m_image);
    paintFocusAndMark(painter);
}

void PlotWidget::paintFocusAndMark(QPainter& painter) const
{
    const QRect area = contentsRect();
    if (hasFocus()) {
        // The focus colour of the platform's palette, at full strength: a style's own
        // focus frame may be a faint line (Fusion's is a third opaque) that vanishes
        // on the black spectrum, and a teacher on a projector must see it on either plot.
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(QPen(palette().color(QPalette::Highlight),
                            m_curveWidth > 1 ? m_curveWidth : 0, Qt::SolidLine, Qt::SquareCap,
                            Qt::MiterJoin));
        painter.setBrush(Qt::NoBrush);
        const int inset = 1 + m_curveWidth / 2;
        painter.drawRect(area.adjusted(inset, inset, -inset - 1, -inset - 1));
        painter.restore();
    }
    if (m_mark) {
        const QPoint centre = (area.topLeft() + toPixel(*m_mark)).toPoint();
        painter.save();
        painter.setClipRect(area);
        painter.setRenderHint(QPainter::Antialiasing, false);
        // Blue on the light waveform plot, white on the black spectrum: neither is a
        // colour the runs draw in.
        painter.setPen(QPen(m_background.lightness() < 128 ? QColor(Qt::white) : QColor(Qt::blue),
                            m_curveWidth > 1 ? m_curveWidth : 0));
        const int arm = 5 * m_curveWidth;
        painter.drawLine(centre - QPoint(arm, 0), centre + QPoint(arm, 0));
        painter.drawLine(centre - QPoint(0, arm), centre + QPoint(0, arm));
        painter.restore();
    }
}

void PlotWidget::mouseMoveEvent(QMouseEvent* event)
{
    fitImage();
    m_lastCursor = event->globalPosition().toPoint();
    const QPointF user = toUser(event->position() - contentsRect().topLeft());
    emit mouseMoved(buttonState(event->buttons()), shiftState(event->modifiers()),
                    static_cast<float>(user.x()), static_cast<float>(user.y()));
    QFrame::mouseMoveEvent(event);
}
