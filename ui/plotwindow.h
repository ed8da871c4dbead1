// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/computationmodule.h"

#include "ui/plotcopymenu.h"
#include "ui/readoutcursor.h"

#include <QString>
#include <QWidget>

#include <cstdint>

class QRect;
class PlotWidget;

// What the waveform and the spectrum window have in common: a top-level window that
// deletes itself when closed and says so first, whose plot's readout shows while
// another of the program's windows is active, and whose blank picture `Picture2`
// stands for an empty plot. Its plot `Picture1` comes with the copy menu and the
// keyboard's readout cursor, and every reader of the plot (the mouse handler, the keys,
// the tool-tip, a screen reader) takes its readout from readoutAt.
class PlotWindow : public QWidget {
    Q_OBJECT

public:
    PlotWidget& plot() { return *m_plot; }

signals:
    // The user is closing the window; it is deleted once the event has been handled.
    void closing();

public slots:
    // The mouse handler: a movement over the plot, in the plot's user coordinates; the
    // button and shift states are not used.
    virtual void Picture1_MouseMove(int button, int shift, float X, float Y) = 0;

protected:
    // The window `title`, with its plot of the given kind at `place`, named by the title
    // for a screen reader, on `background`; its copy and save items give `table`, the
    // waveform or the spectrum of the run.
    PlotWindow(const ComputationModule& module, const QString& title, ReadoutCursor::Plot kind,
               QColor background, const QRect& place, RunPlot table,
               QWidget* parent);

    // The readout at a point in the plot's user coordinates, as the tool-tip shows it,
    // from the run the plot shows; empty where there is none to show. The waveform's
    // selects the curve it reads, as the cursor's height does.
    virtual QString readoutAt(float x, float y) = 0;

    // Where Left and Right put the cross on the plot's place `place` (a sample or a
    // spectrum line) when it stands at height `y`: on the chosen curve's point, or at
    // the line's top.
    virtual double placeY(std::int32_t place, double y) const = 0;

    void closeEvent(QCloseEvent* event) override;

    // Creates `Picture2` at `place`: a sunken frame that is never drawn on.
    void addBlankPicture(const QRect& place);

    const ComputationModule& m_module;
    PlotWidget* m_plot;
};
