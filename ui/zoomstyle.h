// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProxyStyle>

// A style (the platform's, or Fusion for the buttons) with the parts that are drawn at a
// fixed size grown by the zoom: the option buttons' and check boxes' indicators, the
// arrows, of the drop-down among them, and the lines of the frames that show the focus
// (the entries', the buttons', the focus rectangle). Fonts and places grow with the
// zoom on their own, and a style drawn at a screen of that density would grow these
// too. At 100 % it is the style it stands over, unchanged.
class ZoomStyle : public QProxyStyle {
    Q_OBJECT

public:
    // Over the style that QStyleFactory makes by `name`.
    explicit ZoomStyle(const QString& name);

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
    // Draws `element` in its room shrunk by the zoom, through a painter that grows it
    // back, so that its lines grow as a screen of that density would draw them.
    void drawGrown(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const;

    int m_percent = 100;
    // Set while a part is drawn grown: what that part draws of other parts is grown with it.
    mutable bool m_growing = false;
};
