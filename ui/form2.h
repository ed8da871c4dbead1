// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/computationmodule.h"

#include "ui/plotwindow.h"

class QRadioButton;

// The waveform window: V(t) and Vr(t) of the last run, the cursor readout of the
// curve under the cursor, and "Visualizza spettro". It deletes itself when closed.
class Form2 : public PlotWindow {
    Q_OBJECT

public:
    explicit Form2(const ComputationModule& module, QWidget* parent = nullptr);

signals:
    // "Visualizza spettro" was pressed. The parameter window, which owns the requests,
    // checks the entries and shows the spectrum window or the message.
    void spectrumRequested();

public slots:
    // "Visualizza spettro": asks for the spectrum window, which shows when W, f segnale
    // and f disturbo are whole numbers; otherwise the message of the first that is not
    // shows over this window.
    void Command1_Click();

    // The readout: the half of the plot the cursor is in selects V(t) or Vr(t), and the
    // tool-tip shows the time and the selected curve's level at the cursor. X and Y are
    // in the plot's user coordinates; button and shift are not used.
    void Picture1_MouseMove(int button, int shift, float X, float Y) override;

protected:
    QString readoutAt(float x, float y) override;
    // Left and Right go along the curve the option buttons name, or before either is
    // selected the one whose half of the plot the cross is in.
    double placeY(std::int32_t place, double y) const override;

private:
    QRadioButton* m_inputCurve;
    QRadioButton* m_outputCurve;
};
