// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/plotcopymenu.h"

#include "core/messages.h"
#include "core/runtables.h"
#include "ui/localenumbers.h"
#include "ui/messagebox.h"
#include "ui/plotsaving.h"
#include "ui/plotwidget.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QStandardPaths>

#include <memory>
#include <new>

namespace {

std::string tableOf(RunPlot which, const CompletedRun& run, const TableFormat& format)
{
    return which == RunPlot::waveform ? waveformTable(run, format) : spectrumTable(run, format);
}

}  // namespace

PlotCopyMenu::PlotCopyMenu(PlotWidget& plot, const ComputationModule& module, RunPlot which)
    : QObject(&plot), m_plot(plot), m_module(module), m_which(which), m_menu(new QMenu(&plot))
{
    m_copyImage = m_menu->addAction(QStringLiteral("Copia immagine"));
    m_copyData = m_menu->addAction(QStringLiteral("Copia dati"));
    m_saveImage = m_menu->addAction(QStringLiteral("Salva immagine…"));
    m_saveData = m_menu->addAction(QStringLiteral("Salva dati…"));
    connect(m_copyImage, &QAction::triggered, this, &PlotCopyMenu::copyImage);
    connect(m_copyData, &QAction::triggered, this, &PlotCopyMenu::copyData);
    connect(m_saveImage, &QAction::triggered, this, &PlotCopyMenu::saveImage);
    connect(m_saveData, &QAction::triggered, this, &PlotCopyMenu::saveData);
    plot.installEventFilter(this);
}

bool PlotCopyMenu::showsCompletedRun() const
{
    // A plot that no run has given a coordinate system belongs to a window created or
    // shown again since the last run: it is empty whatever the module holds.
    return m_module.completedRun() != nullptr && m_plot.hasUserScale();
}

bool PlotCopyMenu::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &m_plot)
        return false;
    switch (event->type()) {
    case QEvent::ContextMenu: {
        auto* request = static_cast<QContextMenuEvent*>(event);
        // The platform asks for the menu on the right button's press on some systems
        // and on its release on others; the release below opens it everywhere.
        if (request->reason() != QContextMenuEvent::Mouse)
            popup(request->globalPos());
        return true;
    }
    case QEvent::MouseButtonRelease: {
        auto* release = static_cast<QMouseEvent*>(event);
        if (release->button() == Qt::RightButton &&
            m_plot.rect().contains(release->position().toPoint()))
            popup(release->globalPosition().toPoint());
        return false;
    }
    case QEvent::ShortcutOverride:
        // Ctrl+C belongs to the focused plot, before any shortcut of its window.
        if (!static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy))
            return false;
        event->accept();
        return true;
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Copy)) {
            copyImage();
            return true;
        }
        // Shift+F10 is the context menu's key on every desktop, beside the menu key.
        if (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier) {
            popup(m_plot.mapToGlobal(m_plot.rect().center()));
            return true;
        }
        return false;
    }
    default:
        return false;
    }
}

void PlotCopyMenu::popup(QPoint globalPosition)
{
    const bool available = showsCompletedRun();
    for (QAction* action : {m_copyImage, m_copyData, m_saveImage, m_saveData})
        action->setEnabled(available);
    // The window's own commands (the zoom's, with their shortcuts shown) follow, where a
    // student looks for them; they are the window's by the time a menu can open.
    if (!m_windowActionsAdded && !m_plot.window()->actions().isEmpty()) {
        m_menu->addSeparator();
        m_menu->addActions(m_plot.window()->actions());
        m_windowActionsAdded = true;
    }
    m_menu->popup(globalPosition);
}

void PlotCopyMenu::copyImage() const
{
    if (showsCompletedRun())
        QGuiApplication::clipboard()->setImage(m_plot.image());
}

void PlotCopyMenu::copyData() const
{
    if (!showsCompletedRun())
        return;
    // Tab-separated, with the decimal separator of the readouts: a spreadsheet pasted
    // into takes the numbers in the form of the locale it runs in. The table of the
    // largest runs takes gigabytes of text, more than some machines have to spare:
    // then nothing is copied, and the student is told why.
    const std::string decimalSeparator = localeDecimalSeparator();
    try {
        QGuiApplication::clipboard()->setText(QString::fromStdString(
            tableOf(m_which, *m_module.completedRun(), {"\t", decimalSeparator})));
    } catch (const std::bad_alloc&) {
        showMessage(m_plot.window(), std::string(messages::outOfMemoryToCopy));
    }
}

QString PlotCopyMenu::askFileName(const QString& title, const QString& filter,
                                  const QString& proposedName) const
{
    // Qt's own dialog, in Italian with the rest of Qt's texts, rather than the
    // desktop's, which speaks the desktop's language.
    QFileDialog dialog(m_plot.window(), title);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(filter);
    dialog.setDefaultSuffix(QFileInfo(proposedName).suffix());
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    dialog.setDirectory(!documents.isEmpty() && QDir(documents).exists() ? documents
                                                                         : QDir::homePath());
    dialog.selectFile(proposedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

void PlotCopyMenu::reportNotSaved(const QString& path) const
{
    showMessage(m_plot.window(),
                std::string(messages::fileNotSaved) + QDir::toNativeSeparators(path).toStdString());
}

void PlotCopyMenu::saveImage()
{
    if (!showsCompletedRun())
        return;
    // What the plot shows now; a run that completes while the dialog is open does not
    // change the file.
    const std::shared_ptr<const CompletedRun> run = m_module.completedRun();
    const QImage picture = m_plot.image();
    const QString path = askFileName(QStringLiteral("Salva immagine"),
                                     QStringLiteral("Immagini PNG, SVG o PDF (*.png *.svg *.pdf)"),
                                     proposedFileName(m_which, *run, QStringLiteral("png")));
    if (!path.isEmpty() && !savePlotImage(picture, m_plot.background(), *run, m_which, path))
        reportNotSaved(path);
}

void PlotCopyMenu::saveData()
{
    if (!showsCompletedRun())
        return;
    const std::shared_ptr<const CompletedRun> run = m_module.completedRun();
    const QString path =
        askFileName(QStringLiteral("Salva dati"), QStringLiteral("Tabelle CSV (*.csv)"),
                    proposedFileName(m_which, *run, QStringLiteral("csv")));
    if (path.isEmpty())
        return;
    const std::string decimalSeparator = localeDecimalSeparator();
    try {
        if (!savePlotData(tableOf(m_which, *run, csvFormat(decimalSeparator)), path))
            reportNotSaved(path);
    } catch (const std::bad_alloc&) {
        showMessage(m_plot.window(), std::string(messages::outOfMemoryToCopy));
    }
}
