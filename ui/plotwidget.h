// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "plot/plotsurface.h"

#include <QColor>
#include <QFrame>
#include <QImage>
#include <QPoint>
#include <QPointF>

#include <vector>

class QPainter;

// A plot: a picture that keeps everything drawn on it, whether its window is shown,
// hidden or covered, in a user coordinate system set by two corners. Cursor movements
// are reported in user coordinates.
//
// What is drawn is kept as the segments asked for, in user coordinates, and painted
// into an image at the plot's size and the screen's pixel density; painting the widget
// only copies that image. When the plot changes size (the program's zoom) or density,
// the image is painted again from the segments, so the lines stay one pixel wide and
// sharp at any size.
class PlotWidget : public QFrame, public PlotSurface {
    Q_OBJECT

public:
    explicit PlotWidget(QColor background, QWidget* parent = nullptr);

    void scale(float x1, float y1, float x2, float y2) override;
    void line(float x1, float y1, float x2, float y2,
              std::optional<Colour> colour = std::nullopt) override;
    void lines(std::span<const UserSegment> segments, Colour colour) override;
    void clear() override;
    void setToolTipText(const std::string& text) override;

    // Whether a coordinate system has been set since the plot was created. Until then
    // cursor positions are reported in logical pixels from the top-left corner.
    bool hasUserScale() const { return m_mapping.user; }

    // The one mapping between user coordinates and logical pixels counted from the
    // top-left corner of the contents rect, where the picture begins. Without a
    // coordinate system the two are the same.
    QPointF toPixel(QPointF user) const;
    QPointF toUser(QPointF pixel) const;

    // A small cross at a point in user coordinates, in a colour that stands out on the
    // background, shown over the picture on the screen only: the picture, and so what is
    // copied of it, never holds it. None removes it.
    void setMark(std::optional<QPointF> user);
    std::optional<QPointF> mark() const { return m_mark; }

    // The picture as drawn, at the plot's present size and pixel density.
    const QImage& image() const { return m_image; }

    // Brings the picture to the plot's present size and density at once. A hidden
    // window gets its resize events only when shown, but a run draws into the spectrum
    // plot while its window is hidden, and the picture is copied from there too.
    void fitImage();

signals:
    // Everything drawn was erased: a run is about to draw, and it becomes the module's
    // once it has drawn.
    void cleared();

    // button: 1 left, 2 right, 4 middle, added; shift: 1 Shift, 2 Ctrl, 4 Alt, added.
    void mouseMoved(int button, int shift, float x, float y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The user coordinates of the upper-left and lower-right corners, or none for
    // logical pixels.
    struct Mapping {
        bool user = false;
        double left = 0, top = 0, right = 1, bottom = 1;
        bool operator==(const Mapping&) const = default;
    };

    // Segments drawn one after the other in one colour under one mapping.
    struct Stroke {
        QColor colour;
        Mapping mapping;
        std::vector<UserSegment> segments;
    };

    void makeImage();
    void remember(std::span<const UserSegment> segments, QColor colour);
    void paintSegments(QPainter& painter, const Mapping& mapping,
                       std::span<const UserSegment> segments) const;
    void paintNow(std::span<const UserSegment> segments, QColor colour);
    void paintFocusAndMark(QPainter& painter) const;

    QColor m_background;
    QImage m_image;
    Mapping m_mapping;
    std::vector<Stroke> m_strokes;
    // False once memory ran short for keeping the segments: the picture is then only
    // scaled when the plot changes size.
    bool m_strokesComplete = true;
    // Where the cursor was at the last movement over the plot, on the screen.
    std::optional<QPoint> m_lastCursor;
    std::optional<QPointF> m_mark;
};
