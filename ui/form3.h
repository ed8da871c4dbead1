// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/computationmodule.h"

#include "ui/plotwindow.h"

class QLabel;

// The spectrum window: S(f) of the last run, the DC readout beside it and the cursor
// readout of frequency and amplitude. It deletes itself when closed.
class Form3 : public PlotWindow {
    Q_OBJECT

public:
    explicit Form3(const ComputationModule& module, QWidget* parent = nullptr);

    // The DC component of the last run, as formatted by the run request.
    void setDcReadout(const QString& text);

public slots:
    // The readout: the frequency under the cursor and the amplitude at its height, as
    // the tool-tip. X and Y are in the plot's user coordinates; button and shift are
    // not used. A plot that no run has drawn into yet shows no readout.
    void Picture1_MouseMove(int button, int shift, float X, float Y) override;

protected:
    QString readoutAt(float x, float y) override;
    double placeY(std::int32_t place, double y) const override;

private:
    QLabel* m_dcReadout;
};
