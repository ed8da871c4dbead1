// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/completedrun.h"
#include "core/computationmodule.h"
#include "plot/plotdrawing.h"

#include <QObject>
#include <QPoint>
#include <QString>

#include <string>

class QAction;
class QMenu;
class PlotWidget;

// The way from a plot to the clipboard and to files: a menu with "Copia immagine" (the
// plot's picture at its full pixel density), "Copia dati" (the table of the numbers
// behind it, in the form the spreadsheet of the user's locale reads), "Salva
// immagine…" (PNG as on the screen, SVG or PDF drawn again as vectors) and "Salva
// dati…" (the table as a .csv file), then the program's zoom items, opened by
// releasing the right button over the plot or by the menu key or Shift+F10 while the
// plot has the focus; Ctrl+C on the focused plot copies the picture.
//
// The copy and save items are offered only while the plot shows a completed run: not
// before the first one, not while one is computed and not in a window shown again
// empty. The menu opens on the release rather than the press, so a movement with the
// right button held still reaches the readout.
class PlotCopyMenu : public QObject {
    Q_OBJECT

public:
    // Serves `plot`, as long as it lives, which shows `which` plot of the runs of
    // `module`.
    PlotCopyMenu(PlotWidget& plot, const ComputationModule& module, RunPlot which);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool showsCompletedRun() const;
    void popup(QPoint globalPosition);
    void copyImage() const;
    void copyData() const;
    void saveImage();
    void saveData();
    // The file name the user chooses in Qt's own save dialog, which opens in the
    // documents folder with `proposedName`; empty when the user cancels.
    QString askFileName(const QString& title, const QString& filter,
                        const QString& proposedName) const;
    void reportNotSaved(const QString& path) const;

    PlotWidget& m_plot;
    const ComputationModule& m_module;
    RunPlot m_which;
    QMenu* m_menu;
    QAction* m_copyImage;
    QAction* m_copyData;
    QAction* m_saveImage;
    QAction* m_saveData;
    bool m_windowActionsAdded = false;
};
