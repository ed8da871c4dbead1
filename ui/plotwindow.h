// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QRect;

// What the waveform and the spectrum window have in common: a top-level window that
// deletes itself when closed and says so first, whose plot's readout shows while
// another of the program's windows is active, and whose blank picture `Picture2`
// stands for an empty plot.
class PlotWindow : public QWidget {
    Q_OBJECT

public:
    explicit PlotWindow(QWidget* parent = nullptr);

signals:
    // The user is closing the window; it is deleted once the event has been handled.
    void closing();

protected:
    void closeEvent(QCloseEvent* event) override;

    // Creates `Picture2` at `place`: a sunken frame that is never drawn on.
    void addBlankPicture(const QRect& place);
};
