#pragma once

#include "core/computationmodule.h"

#include "ui/plotwindow.h"

#include <functional>

class QRadioButton;
class Form3;
class PlotWidget;

// The waveform window: V(t) and Vr(t) of the last run, the cursor readout of the
// curve under the cursor, and "Visualizza spettro". It deletes itself when closed.
class Form2 : public PlotWindow {
    Q_OBJECT

public:
    // `spectrumWindow` gives the spectrum window, creating it hidden when missing.
    Form2(ComputationModule& module, std::function<Form3&()> spectrumWindow,
          QWidget* parent = nullptr);

    PlotWidget& plot() { return *m_plot; }

public slots:
    // "Visualizza spettro": shows the spectrum window when W, f segnale and f disturbo
    // are whole numbers, and otherwise the message of the first that is not.
    void Command1_Click();

    // The readout: the half of the plot the cursor is in selects V(t) or Vr(t), and the
    // tool-tip shows the time and the selected curve's level at the cursor. X and Y are
    // in the plot's user coordinates; button and shift are not used.
    void Picture1_MouseMove(int button, int shift, float X, float Y);

private:
    ComputationModule& m_module;
    std::function<Form3&()> m_spectrumWindow;
    PlotWidget* m_plot;
    QRadioButton* m_inputCurve;
    QRadioButton* m_outputCurve;
};
