#pragma once

#include "plot/plotsurface.h"

#include <QColor>
#include <QFrame>
#include <QImage>
#include <QPainter>
#include <QPoint>

#include <memory>

// A plot: a picture that keeps everything drawn on it, whether its window is shown,
// hidden or covered, in a user coordinate system set by two corners. The drawing goes
// into an image at the screen's pixel density, and painting only copies that image.
// Cursor movements are reported in user coordinates.
class PlotWidget : public QFrame, public PlotSurface {
    Q_OBJECT

public:
    explicit PlotWidget(QColor background, QWidget* parent = nullptr);

    void scale(float x1, float y1, float x2, float y2) override;
    void line(float x1, float y1, float x2, float y2,
              std::optional<Colour> colour = std::nullopt) override;
    void clear() override;
    void setToolTipText(const std::string& text) override;

    // Whether a coordinate system has been set since the plot was created. Until then
    // cursor positions are reported in logical pixels from the top-left corner.
    bool hasUserScale() const { return m_hasUserScale; }

    // The picture as drawn, at the pixel density it was drawn at.
    const QImage& image() const;

signals:
    // button: 1 left, 2 right, 4 middle, added; shift: 1 Shift, 2 Ctrl, 4 Alt, added.
    void mouseMoved(int button, int shift, float x, float y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QPointF toPixels(double x, double y) const;
    void fitImage();
    void makeImage();
    QPainter& painter(QColor colour);
    void finishPainting() const;

    QColor m_background;
    QImage m_image;
    // A run draws up to two million lines in a row: they share one painter, which ends
    // when control returns to the event loop or before the picture is used.
    mutable std::unique_ptr<QPainter> m_painter;
    QColor m_penColour;
    bool m_hasUserScale = false;
    // Where the cursor was at the last movement over the plot, on the screen.
    std::optional<QPoint> m_lastCursor;
    // The user coordinates of the upper-left and lower-right corners.
    double m_left = 0;
    double m_top = 0;
    double m_right = 1;
    double m_bottom = 1;
};
