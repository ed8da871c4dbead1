// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProxyStyle>

// The platform's style with the parts that are drawn at a fixed size grown by the zoom:
// the option buttons' and check boxes' indicators and the arrows, of the drop-down
// among them. Fonts and places grow with the zoom on their own, and a style drawn at a
// screen of that density would grow these too. At 100 % it is the platform's style.
class ZoomStyle : public QProxyStyle {
    Q_OBJECT

public:
    ZoomStyle();

    void setPercent(int percent) { m_percent = percent; }

    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                         const QWidget* widget) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override;

private:
    int scaled(int pixels) const;

    int m_percent = 100;
};
