// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QTextBrowser;
class Zoom;

// The program's guide, in Italian, for a student alone with the windows: what each entry
// means, why the window must hold whole periods, what each refusal asks, how to read the
// plots, the keys and a worked example with the default entries. One window for the
// whole program; F1 in any other window opens it at the part about that window.
class GuideWindow : public QWidget {
    Q_OBJECT

public:
    // The parts of the guide that F1 opens it at, one per window.
    enum class Section { parameters, waveforms, spectrum };

    explicit GuideWindow(QWidget* parent = nullptr);

    // Shows the guide in front, with `section` at the top.
    void showSection(Section section);

    // The program's zoom scales the guide's text, and its keys work here too. The window
    // keeps the size it has, so that it never stops the zoom of the other windows; the
    // text flows again within it.
    void followZoom(Zoom& zoom);

private:
    void applyZoom(int percent);

    QTextBrowser* m_text;
};
