#include "ui/plotwidget.h"

#include "plot/segmentclip.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QToolTip>

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
    // The readout must be readable while the student's focus is still in the parameter
    // window, so tool-tips show whether or not this window is active.
    setAttribute(Qt::WA_AlwaysShowToolTips);
    makeImage();
}

void PlotWidget::fitImage()
{
    // A hidden window receives its resize events only when it is shown, but a run draws
    // into the spectrum plot while its window is still hidden: the image follows the
    // geometry itself.
    if (m_image.deviceIndependentSize().toSize() != contentsRect().size() ||
        m_image.devicePixelRatio() != devicePixelRatioF())
        makeImage();
}

void PlotWidget::makeImage()
{
    finishPainting();
    const qreal ratio = devicePixelRatioF();
    const QSize size = contentsRect().size();
    QImage image(size * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(m_background);
    if (!m_image.isNull()) {
        // A new size or density keeps what was drawn, placed at the top-left corner.
        QPainter painter(&image);
        painter.drawImage(QPoint(0, 0), m_image);
    }
    m_image = image;
}

void PlotWidget::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    fitImage();
}

void PlotWidget::scale(float x1, float y1, float x2, float y2)
{
    m_left = x1;
    m_top = y1;
    m_right = x2;
    m_bottom = y2;
    m_hasUserScale = true;
}

QPointF PlotWidget::toPixels(double x, double y) const
{
    if (!m_hasUserScale)
        return {x, y};
    const QSizeF size = m_image.deviceIndependentSize();
    return {(x - m_left) / (m_right - m_left) * size.width(),
            (y - m_top) / (m_bottom - m_top) * size.height()};
}

void PlotWidget::line(float x1, float y1, float x2, float y2, std::optional<Colour> colour)
{
    // The geometry cannot change within a burst of lines (a resize ends the burst),
    // and asking for the pixel density per line would cost more than the drawing.
    if (!m_painter)
        fitImage();
    const QPointF start = toPixels(x1, y1);
    const QPointF end = toPixels(x2, y2);
    const QSizeF size = m_image.deviceIndependentSize();
    // A margin of one pixel keeps the ends of a line that stops just outside the edge.
    const auto visible = clipSegment({start.x(), start.y(), end.x(), end.y()}, -1, -1,
                                     size.width() + 1, size.height() + 1);
    if (!visible)
        return;
    painter(colour ? toQColor(*colour) : QColor(Qt::black))
        .drawLine(QPointF(visible->x1, visible->y1), QPointF(visible->x2, visible->y2));
}

QPainter& PlotWidget::painter(QColor colour)
{
    if (!m_painter) {
        m_painter = std::make_unique<QPainter>(&m_image);
        // Plain one-pixel lines, as on the original plotting surfaces: a vertical
        // spectrum line covers exactly one column, in its own colour.
        m_painter->setRenderHint(QPainter::Antialiasing, false);
        m_penColour = QColor();
        QTimer::singleShot(0, this, [this] { finishPainting(); });
        update();
    }
    if (colour != m_penColour) {
        m_painter->setPen(QPen(colour, 1));
        m_penColour = colour;
    }
    return *m_painter;
}

void PlotWidget::finishPainting() const
{
    m_painter.reset();
}

const QImage& PlotWidget::image() const
{
    finishPainting();
    return m_image;
}

void PlotWidget::clear()
{
    fitImage();
    finishPainting();
    m_image.fill(m_background);
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

void PlotWidget::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    finishPainting();
    QPainter painter(this);
    painter.drawImage(contentsRect().topLeft(), m_image);
}

void PlotWidget::mouseMoveEvent(QMouseEvent* event)
{
    fitImage();
    m_lastCursor = event->globalPosition().toPoint();
    const QPointF pixel = event->position() - contentsRect().topLeft();
    double x = pixel.x();
    double y = pixel.y();
    if (m_hasUserScale) {
        const QSizeF size = m_image.deviceIndependentSize();
        x = m_left + pixel.x() / size.width() * (m_right - m_left);
        y = m_top + pixel.y() / size.height() * (m_bottom - m_top);
    }
    emit mouseMoved(buttonState(event->buttons()), shiftState(event->modifiers()),
                    static_cast<float>(x), static_cast<float>(y));
    QFrame::mouseMoveEvent(event);
}
