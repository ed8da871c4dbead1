// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "plot/plotsurface.h"

#include <QColor>
#include <QFrame>
#include <QImage>
#include <QPoint>
#include <QPointF>

#include <functional>

// A plot: a picture that keeps everything drawn on it, whether its window is shown,
// hidden or covered, in a user coordinate system set by two corners. Cursor movements
// are reported in user coordinates.
//
// What is drawn is painted into an image at the plot's size and the screen's pixel
// density; painting the widget only copies that image. The plot keeps no copy of what
// it was asked to draw: when it changes size (the program's zoom) or density, it makes
// a blank image and has it drawn again by whoever drew it (see setRedraw), in its own
// user coordinates, so the lines stay one pixel wide and sharp at any size.
class PlotWidget : public QFrame, public PlotSurface {
    Q_OBJECT

public:
    explicit PlotWidget(QColor background, QWidget* parent = nullptr);

    void scale(float x1, float y1, float x2, float y2) override;
    void line(float x1, float y1, float x2, float y2,
              std::optional<Colour> colour = std::nullopt) override;
    void lines(std::span<const UserSegment> segments, Colour colour) override;
    // Also forgets the redraw.
    void clear() override;
    void setToolTipText(const std::string& text) override;
    // The tool-tip text, shown at once at a point in user coordinates (the keyboard's
    // cross), and moved there if it shows elsewhere.
    void showToolTipAt(const QString& text, QPointF user);

    // How the picture is made again at a new size or pixel density: `redraw` makes, on
    // the surface it is given, the same calls that have drawn the plot since it was
    // last cleared. Kept until the next clear(); without one a new picture is blank.
    void setRedraw(std::function<void(PlotSurface&)> redraw);

    // Whether a coordinate system has been set since the plot was created. Until then
    // cursor positions are reported in logical pixels from the top-left corner.
    bool hasUserScale() const { return m_mapping.user; }

    // The plot's one mapping between user coordinates and logical pixels, counted from
    // the top-left corner of the picture (the contents rectangle), and its inverse: the
    // drawing goes one way, the cursor the other. Before a coordinate system is set both
    // leave a point as it is.
    QPointF toPixel(QPointF user) const;
    QPointF toUser(QPointF pixel) const;

    // A small cross at a point in user coordinates, in a colour that stands out on the
    // background, shown over the picture on the screen only: the picture, and so what is
    // copied of it, never holds it. None removes it. `text` is what a screen reader says
    // of it; every call that sets a cross counts as a new one (markSerial).
    void setMark(std::optional<QPointF> user, const QString& text = {});

    // The width of the curves, spectrum lines, focus frame and cross, in pixels: one at
    // 100 %, more at a zoom that enlarges everything else, as a screen of that density
    // would draw them. Takes effect at the next drawing.
    void setCurveWidth(int pixels) { m_curveWidth = pixels; }
    std::optional<QPointF> mark() const { return m_mark; }
    const QString& markText() const { return m_markText; }
    int markSerial() const { return m_markSerial; }

    // The picture as drawn, at the plot's present size and pixel density.
    const QImage& image() const { return m_image; }

    // The colour of the blank picture.
    QColor background() const { return m_background; }

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
    };

    void makeImage();
    void paint(std::span<const UserSegment> segments, QColor colour);
    void paintFocusAndMark(QPainter& painter) const;

    QColor m_background;
    QImage m_image;
    Mapping m_mapping;
    std::function<void(PlotSurface&)> m_redraw;
    bool m_redrawing = false;
    int m_curveWidth = 1;
    // Where the cursor was at the last movement over the plot, on the screen.
    std::optional<QPoint> m_lastCursor;
    std::optional<QPointF> m_mark;
    QString m_markText;
    int m_markSerial = 0;
};
