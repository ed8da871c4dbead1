// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/completedrun.h"
#include "core/computationmodule.h"

#include <QObject>
#include <QPoint>

#include <string>

class QAction;
class QMenu;
class PlotWidget;

// The way from a plot to the clipboard: a menu with "Copia immagine" (the plot's
// picture at its full pixel density) and "Copia dati" (the table of the numbers
// behind it), then the program's zoom items, opened by releasing the right button
// over the plot or by the menu key or Shift+F10 while the plot has the focus; Ctrl+C on the focused
// plot copies the picture.
//
// The two copy items are offered only while the plot shows a completed run: not before
// the first one, not while one is computed and not in a window shown again empty. The
// menu opens on the release rather than the press, so a movement with the right button
// held still reaches the readout.
class PlotCopyMenu : public QObject {
    Q_OBJECT

public:
    // Makes the table of the plot's numbers from a completed run.
    using TableMaker = std::string (*)(const CompletedRun&);

    // Serves `plot`, as long as it lives, with tables made by `table` from `module`.
    PlotCopyMenu(PlotWidget& plot, const ComputationModule& module, TableMaker table);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool showsCompletedRun() const;
    void popup(QPoint globalPosition);
    void copyImage() const;
    void copyData() const;

    PlotWidget& m_plot;
    const ComputationModule& m_module;
    TableMaker m_table;
    QMenu* m_menu;
    QAction* m_copyImage;
    QAction* m_copyData;
    bool m_windowActionsAdded = false;
};
