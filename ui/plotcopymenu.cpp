// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/plotcopymenu.h"

#include "core/messages.h"
#include "ui/messagebox.h"
#include "ui/plotwidget.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

#include <new>

PlotCopyMenu::PlotCopyMenu(PlotWidget& plot, const ComputationModule& module, TableMaker table)
    : QObject(&plot), m_plot(plot), m_module(module), m_table(table), m_menu(new QMenu(&plot))
{
    m_copyImage = m_menu->addAction(QStringLiteral("Copia immagine"));
    m_copyData = m_menu->addAction(QStringLiteral("Copia dati"));
    connect(m_copyImage, &QAction::triggered, this, &PlotCopyMenu::copyImage);
    connect(m_copyData, &QAction::triggered, this, &PlotCopyMenu::copyData);
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
    m_copyImage->setEnabled(available);
    m_copyData->setEnabled(available);
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
    // The table of the largest runs takes gigabytes of text, more than some machines
    // have to spare: then nothing is copied, and the student is told why.
    try {
        QGuiApplication::clipboard()->setText(
            QString::fromStdString(m_table(*m_module.completedRun())));
    } catch (const std::bad_alloc&) {
        showMessage(m_plot.window(), std::string(messages::outOfMemoryToCopy));
    }
}
