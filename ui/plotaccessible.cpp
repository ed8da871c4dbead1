// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/plotaccessible.h"

#include "ui/plotwidget.h"

#include <QWindow>

namespace {

// The keyboard's cross on a plot, read as a point of the chart.
class MarkAccessible : public QAccessibleInterface {
public:
    MarkAccessible(PlotWidget* plot, QString name) : m_plot(plot), m_name(std::move(name)) {}

    bool isValid() const override { return !m_plot.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_plot ? m_plot->window()->windowHandle() : nullptr; }
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>>
    relations(QAccessible::Relation) const override
    {
        return {};
    }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override
    {
        return m_plot ? QAccessible::queryAccessibleInterface(m_plot.data()) : nullptr;
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? m_name : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override
    {
        if (!m_plot || !m_plot->mark())
            return {};
        const QPointF centre =
            QPointF(m_plot->contentsRect().topLeft()) + m_plot->toPixel(*m_plot->mark());
        return QRect(m_plot->mapToGlobal(centre.toPoint()) - QPoint(5, 5), QSize(11, 11));
    }
    QAccessible::Role role() const override { return QAccessible::StaticText; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.focusable = true;
        state.focused = m_plot && m_plot->hasFocus();
        state.readOnly = true;
        return state;
    }

private:
    QPointer<PlotWidget> m_plot;
    QString m_name;
};

// To a screen reader the plot is a chart, not the plain frame it is drawn in.
QAccessibleInterface* plotAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String(PlotWidget::staticMetaObject.className()) &&
        object->isWidgetType())
        return new PlotAccessible(static_cast<PlotWidget*>(object));
    return nullptr;
}

// Before any plot exists: a widget keeps the accessible interface it was first given.
void installPlotAccessible()
{
    QAccessible::installFactory(plotAccessible);
}

Q_COREAPP_STARTUP_FUNCTION(installPlotAccessible)

}  // namespace

PlotAccessible::PlotAccessible(PlotWidget* plot) : QAccessibleWidget(plot, QAccessible::Chart)
{
}

PlotAccessible::~PlotAccessible()
{
    if (m_markId != 0)
        QAccessible::deleteAccessibleInterface(m_markId);
}

PlotWidget* PlotAccessible::plot() const
{
    return static_cast<PlotWidget*>(widget());
}

QAccessibleInterface* PlotAccessible::markChild() const
{
    const PlotWidget* p = plot();
    if (!p->mark())
        return nullptr;
    if (m_markSerial != p->markSerial() || m_markId == 0) {
        if (m_markId != 0)
            QAccessible::deleteAccessibleInterface(m_markId);
        m_markId =
            QAccessible::registerAccessibleInterface(new MarkAccessible(plot(), p->markText()));
        m_markSerial = p->markSerial();
    }
    return QAccessible::accessibleInterface(m_markId);
}

int PlotAccessible::childCount() const
{
    return QAccessibleWidget::childCount() + (plot()->mark() ? 1 : 0);
}

QAccessibleInterface* PlotAccessible::child(int index) const
{
    const int widgets = QAccessibleWidget::childCount();
    if (index == widgets)
        return markChild();
    return QAccessibleWidget::child(index);
}

int PlotAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    if (child != nullptr && child == markChild())
        return QAccessibleWidget::childCount();
    return QAccessibleWidget::indexOfChild(child);
}

QAccessibleInterface* PlotAccessible::focusChild() const
{
    if (plot()->hasFocus() && plot()->mark())
        return markChild();
    return QAccessibleWidget::focusChild();
}

void PlotAccessible::announceMark(PlotWidget& plot)
{
    if (!QAccessible::isActive() || !plot.mark() || !plot.hasFocus())
        return;
    QAccessibleInterface* chart = QAccessible::queryAccessibleInterface(&plot);
    QAccessibleEvent focus(&plot, QAccessible::Focus);
    focus.setChild(chart->childCount() - 1);
    QAccessible::updateAccessibility(&focus);
}
