// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/plotwindow.h"

#include "ui/focusmark.h"
#include "ui/plotwidget.h"

#include <QCloseEvent>
#include <QFrame>

PlotWindow::PlotWindow(const ComputationModule& module, const QString& title,
                       ReadoutCursor::Plot kind, QColor background, const QRect& place,
                       RunPlot table, QWidget* parent)
    : QWidget(parent), m_module(module), m_plot(new PlotWidget(background, this))
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
    setWindowTitle(title);

    // The plot is the first control in tab order.
    m_plot->setObjectName(QStringLiteral("Picture1"));
    m_plot->setAccessibleName(title);
    m_plot->setGeometry(place);
    connect(m_plot, &PlotWidget::mouseMoved, this, &PlotWindow::Picture1_MouseMove);
    new PlotCopyMenu(*m_plot, m_module, table);
    new ReadoutCursor(*m_plot, m_module, kind,
                      {[this](QPointF point) {
                           return readoutAt(static_cast<float>(point.x()),
                                            static_cast<float>(point.y()));
                       },
                       [this](std::int32_t at, double y) { return placeY(at, y); }});
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
