// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/zoomstyle.h"

#include <QPainter>
#include <QStyleOptionComboBox>

#include <cmath>

namespace {

bool isArrow(QStyle::PrimitiveElement element)
{
    return element == QStyle::PE_IndicatorArrowDown || element == QStyle::PE_IndicatorArrowUp ||
           element == QStyle::PE_IndicatorArrowLeft || element == QStyle::PE_IndicatorArrowRight;
}

}  // namespace

ZoomStyle::ZoomStyle() = default;

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
    if (!isArrow(element) || m_percent == 100) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    // Styles cap an arrow at a size of their own whatever its room: the arrow is drawn
    // in its room shrunk by the zoom, and the painter grows it back.
    const double factor = m_percent / 100.0;
    const QPointF centre = QRectF(option->rect).center();
    std::unique_ptr<QStyleOption> shrunk(new QStyleOption(*option));
    const QSizeF size = QSizeF(option->rect.size()) / factor;
    shrunk->rect = QRectF(centre - QPointF(size.width() / 2, size.height() / 2), size).toRect();
    painter->save();
    painter->translate(centre);
    painter->scale(factor, factor);
    painter->translate(-centre);
    QProxyStyle::drawPrimitive(element, shrunk.get(), painter, widget);
    painter->restore();
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
