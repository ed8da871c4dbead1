// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/zoomstyle.h"

#include <QPainter>
#include <QStyleOption>
#include <QStyleOptionComboBox>

#include <algorithm>
#include <cmath>

namespace {

// The parts a style draws with lines of a fixed width or at a fixed size in any room.
bool growsWithTheZoom(QStyle::PrimitiveElement element)
{
    switch (element) {
    case QStyle::PE_IndicatorArrowDown:
    case QStyle::PE_IndicatorArrowUp:
    case QStyle::PE_IndicatorArrowLeft:
    case QStyle::PE_IndicatorArrowRight:
    case QStyle::PE_FrameFocusRect:
    case QStyle::PE_PanelButtonCommand:
    case QStyle::PE_PanelLineEdit:
    case QStyle::PE_FrameLineEdit:
        return true;
    default:
        return false;
    }
}

}  // namespace

ZoomStyle::ZoomStyle(const QString& name) : QProxyStyle(name) {}

int ZoomStyle::scaled(int pixels) const
{
    return static_cast<int>(std::lround(pixels * m_percent / 100.0));
}

int ZoomStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                           const QWidget* widget) const
{
    const int base = QProxyStyle::pixelMetric(metric, option, widget);
    switch (metric) {
    case PM_ExclusiveIndicatorWidth:
    case PM_ExclusiveIndicatorHeight:
    case PM_IndicatorWidth:
    case PM_IndicatorHeight:
    case PM_RadioButtonLabelSpacing:
    case PM_CheckBoxLabelSpacing:
        return scaled(base);
    default:
        return base;
    }
}

QRect ZoomStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                SubControl part, const QWidget* widget) const
{
    QRect rect = QProxyStyle::subControlRect(control, option, part, widget);
    if (control != CC_ComboBox || m_percent == 100)
        return rect;
    // The arrow's button widens by what the zoom adds to it, taken from the text field.
    const QRect arrow = QProxyStyle::subControlRect(control, option, SC_ComboBoxArrow, widget);
    const int added = scaled(arrow.width()) - arrow.width();
    if (part == SC_ComboBoxArrow)
        rect.setLeft(rect.left() - added);
    else if (part == SC_ComboBoxEditField)
        rect.setRight(rect.right() - added);
    return rect;
}

void ZoomStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                              QPainter* painter, const QWidget* widget) const
{
    if (!growsWithTheZoom(element) || m_percent == 100 || m_growing)
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    else
        drawGrown(element, option, painter, widget);
}

void ZoomStyle::drawGrown(PrimitiveElement element, const QStyleOption* option,
                          QPainter* painter, const QWidget* widget) const
{
    // Styles cap an arrow at a size of their own whatever its room, and draw frames with
    // lines one pixel wide: the part is drawn in its room shrunk by the zoom, and the
    // painter grows it back onto the whole room. The option is copied as what it is, a
    // button's or an entry's, since the style reads what the part is from it.
    const auto draw = [&](auto shrunk) {
        const QRect room = option->rect;
        const double factor = m_percent / 100.0;
        shrunk.rect = QRect(
            room.topLeft(),
            QSize(std::max(1, static_cast<int>(std::lround(room.width() / factor))),
                  std::max(1, static_cast<int>(std::lround(room.height() / factor)))));
        painter->save();
        painter->translate(room.topLeft());
        painter->scale(static_cast<double>(room.width()) / shrunk.rect.width(),
                       static_cast<double>(room.height()) / shrunk.rect.height());
        painter->translate(-room.topLeft());
        m_growing = true;
        QProxyStyle::drawPrimitive(element, &shrunk, painter, widget);
        m_growing = false;
        painter->restore();
    };
    if (const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option))
        draw(*frame);
    else if (const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option))
        draw(*button);
    else if (const auto* focus = qstyleoption_cast<const QStyleOptionFocusRect*>(option))
        draw(*focus);
    else
        draw(*option);
}

void ZoomStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                   QPainter* painter, const QWidget* widget) const
{
    const auto* combo = qstyleoption_cast<const QStyleOptionComboBox*>(option);
    if (control != CC_ComboBox || !combo || m_percent == 100 ||
        !(combo->subControls & SC_ComboBoxArrow)) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    // The drop-down without its arrow, then the arrow as an arrow primitive, which grows.
    QStyleOptionComboBox withoutArrow(*combo);
    withoutArrow.subControls &= ~SC_ComboBoxArrow;
    QProxyStyle::drawComplexControl(control, &withoutArrow, painter, widget);
    QStyleOption arrow(*option);
    arrow.rect = subControlRect(control, option, SC_ComboBoxArrow, widget);
    QColor colour = option->palette.buttonText().color();
    colour.setAlpha(160);
    arrow.palette.setColor(QPalette::ButtonText, colour);
    drawPrimitive(PE_IndicatorArrowDown, &arrow, painter, widget);
}
