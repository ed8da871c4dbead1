// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/plotwindow.h"

#include "ui/focusmark.h"

#include <QCloseEvent>
#include <QFrame>

PlotWindow::PlotWindow(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    // After "Grafici" the focus stays in the parameter window, and the student moves the
    // mouse over a plot without clicking first. Qt shows a tool-tip over an inactive
    // window only when its top-level window asks for it.
    setAttribute(Qt::WA_AlwaysShowToolTips);
    // A run shows the waveform window while the student goes on typing in the
    // parameter window: showing it must not take the focus from there. "Visualizza
    // spettro" activates the spectrum window itself.
    setAttribute(Qt::WA_ShowWithoutActivating);
    showFocusFromTheStart(*this);
}

void PlotWindow::addBlankPicture(const QRect& place)
{
    auto* blank = new QFrame(this);
    blank->setObjectName(QStringLiteral("Picture2"));
    blank->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    blank->setLineWidth(2);
    blank->setGeometry(place);
}

void PlotWindow::closeEvent(QCloseEvent* event)
{
    emit closing();
    QWidget::closeEvent(event);
}
