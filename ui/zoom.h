// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSize>
#include <QString>

#include <array>
#include <map>

class QAction;
class QWidget;
class ZoomStyle;

// The program's one zoom, for a projector or a small or scaled screen; the parameter
// window owns it and makes the other two windows follow it. It scales every
// window's controls, as laid out at 100 %, and their fonts; the plots paint their
// drawing again at the new size. At 100 % everything is exactly as laid out.
//
// Ctrl++ (or Ctrl+=), Ctrl+- and Ctrl+0 work in every window that follows the zoom,
// and so does Ctrl with the mouse wheel. No step makes a shown window larger than its
// screen's available area: Ctrl++ stops at the largest step at which they all fit, and
// Ctrl+0 goes back to the step the program chose when the windows opened (100 %
// unless a window needed less), or below it to the largest step at which they fit.
// After every step each shown window lies inside its screen, moved only as far as that
// takes. What fits and where a window goes on the screen are the placement's to say
// (screengeometry.h, windowplacement.h); the zoom only asks.
class Zoom : public QObject {
    Q_OBJECT

public:
    static constexpr std::array<int, 13> steps{50,  67,  75,  80,  90,  100, 110,
                                               125, 150, 175, 200, 250, 300};

    // Watches the whole application for Ctrl with the wheel and for windows shown or
    // hidden, which change the steps that fit. Puts the tool-tips' font back as it found it when destroyed.
    explicit Zoom(QObject* parent = nullptr);
    ~Zoom() override;

    int percent() const { return m_percent; }
    // Takes the nearest step to `percent`, whether the windows fit or not.
    void setPercent(int percent);
    // Ctrl++: the next step up, if every shown window fits at it.
    void zoomIn();
    // Ctrl+-: the next step down.
    void zoomOut();
    // Ctrl+0: the step the program chose for the screen (100 % unless it had to step
    // down, see lowerTo), or the largest step below it at which every shown window fits.
    void reset();
    // Steps down to `percent`, when it is below the present step, for a window that would
    // not fit its screen, or would cover the entries, at a larger one. That step is then
    // the one the program chose for the screen, and Ctrl+0 comes back to it: on a desktop
    // whose window frames are tall, 100 % may fit the screen but not leave the entries
    // clear.
    void lowerTo(int percent);

    // Whether every shown window that follows the zoom fits its screen's available area,
    // with its frame, at `percent`.
    bool fitsAt(int percent) const;

    // The size of `window` at `percent`, from its size as laid out at 100 %.
    QSize sizeAt(const QWidget& window, int percent) const;

    // Makes `window` follow the zoom from now on. Called once its controls are all
    // made and placed as at 100 %: what they are then is what every zoom scales.
    void follow(QWidget& window);

    // "Ingrandisci", "Riduci" and "Dimensioni originali" of `window`, with their
    // shortcuts, active while the window is; made on the first call.
    QList<QAction*> actions(QWidget& window);

signals:
    void changed(int percent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // "Ingrandisci" is offered only while a larger step fits.
    void updateActions();

    int m_percent = 100;
    // The step Ctrl+0 comes back to.
    int m_chosen = 100;
    // The windows that follow the zoom, as long as they live.
    QList<QPointer<QWidget>> m_windows;
    // The tool-tips (the plots' readouts, the entries' hints) grow with the windows.
    QFont m_toolTipFont;
    // The styles of the controls whose parts a style draws at a fixed size, one over
    // each style they had (the buttons paint their faces with Fusion on every platform).
    std::map<QString, ZoomStyle*> m_styles;
    // Eighths of a degree the wheel has turned with Ctrl held and not yet acted on.
    int m_wheelAngle = 0;
};
