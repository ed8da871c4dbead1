// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessibleWidget>
#include <QPointer>

class PlotWidget;

// A plot as a screen reader sees it: a chart named after its window, described by the
// summary of its run, and while the keyboard's cross shows, one child for the cross,
// named by the readout there.
//
// Each step of the keys makes a new child, and the focus moves to it (see
// announceMark). A screen reader speaks an object that takes the focus, name first;
// it does not speak the same object twice, and Qt 6.4 sends the changed name or
// description of an object without the new text, which Orca 43 cannot speak: a new
// object per step is the way a step is heard.
class PlotAccessible : public QAccessibleWidget {
public:
    explicit PlotAccessible(PlotWidget* plot);
    ~PlotAccessible() override;

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* focusChild() const override;

    // Tells a screen reader that the focus is on the plot's cross, with its new readout.
    // Does nothing while the plot has no cross or no focus.
    static void announceMark(PlotWidget& plot);

private:
    PlotWidget* plot() const;
    // The child of the cross as it is now; made anew after every step.
    QAccessibleInterface* markChild() const;

    mutable QAccessible::Id m_markId = 0;
    mutable int m_markSerial = -1;
};
