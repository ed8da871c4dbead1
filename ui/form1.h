// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/computationmodule.h"
#include "ui/guidewindow.h"
#include "ui/progressrunexecutor.h"

#include <QPointer>
#include <QWidget>

class QComboBox;
class QLineEdit;
class QRadioButton;
class Form2;
class Form3;
class Zoom;

// The parameter window, the program's main window: the eleven entries of a run, the
// signal-type drop-down, the filter switch and "Grafici". It also owns the waveform
// and spectrum windows, which it creates (hidden) when a run first needs them and
// forgets when the user closes them; closing it closes them and ends the program.
class Form1 : public QWidget {
    Q_OBJECT

public:
    explicit Form1(ComputationModule& module, QWidget* parent = nullptr);
    ~Form1() override;

    // Shows the waveform window modeless, creating it if needed.
    void showWaveformWindow();

    // The waveform and spectrum windows, created hidden and empty when missing.
    Form2& waveformWindow();
    Form3& spectrumWindow();

    // The zoom of all three windows.
    Zoom& zoom() { return *m_zoom; }

    // Where the runs of "Grafici" are computed.
    ProgressRunExecutor& runExecutor() { return m_runExecutor; }

public slots:
    // "Grafici": the run request from the entries as they stand; a completed run is
    // shown in the plots and the DC readout. A refused request shows its message and
    // changes no plot and no readout; nor does a long run abandoned with "Annulla".
    // A long run ends after the click has returned, once the progress dialog closes.
    void Command2_Click();

    // "Visualizza spettro" of the waveform window: the check of the entries, then the
    // spectrum window brought to the front (created if needed) or the refusal message.
    void showSpectrumWindow();

    // F1 in any of the three windows: the guide, created if needed, at `section`.
    void showGuide(GuideWindow::Section section);

    // F2 in a plot window, "Parametri" in its menu: this window in front and active, with
    // the focus in the entry last used (N before any).
    void showEntries();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // What the windows hold at the click of "Grafici", as one request.
    RunRequest readRequest() const;

    // The end of a run request: the message of a refusal, nothing for a cancel; a
    // completed run clears both plots, shows the waveform window and is drawn.
    void showOutcome(const RunOutcome& outcome);

    // The message box of a refused request, over `parent`: the text the module kept of
    // the refusal, whichever check made it.
    void showRefusal(QWidget* parent);

    // Makes F1 in `window` open the guide at `section`.
    void addGuideKey(QWidget& window, GuideWindow::Section section);

    // Makes F2 in the plot window `window` bring the entries back (showEntries), and
    // offers it in the window's menu.
    void addEntriesKey(QWidget& window);

    ComputationModule& m_module;
    Zoom* m_zoom;
    ProgressRunExecutor m_runExecutor{this};
    // The entry box of each field of a run request.
    std::vector<std::pair<std::string RunEntries::*, QLineEdit*>> m_entries;
    QComboBox* m_signalType = nullptr;
    QRadioButton* m_filterOn = nullptr;
    QRadioButton* m_filterOff = nullptr;
    QPointer<Form2> m_waveformWindow;
    QPointer<Form3> m_spectrumWindow;
    QPointer<GuideWindow> m_guide;
    // The entry box or drop-down that last had the focus.
    QPointer<QWidget> m_lastEntry;
};
