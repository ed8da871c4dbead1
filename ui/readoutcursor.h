// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/computationmodule.h"

#include <QObject>
#include <QPointF>

#include <cstdint>
#include <optional>

class QKeyEvent;
class PlotWidget;

// The readout on the keyboard, for a student without a mouse and a teacher stepping
// along a curve on the projector. While the plot has the focus, the arrow keys move a
// point over it, shown as a small cross on the screen only, and the plot's readout is
// taken at that point exactly as the mouse takes it there: the point goes to the plot's
// window as a cursor movement, and the tool-tip shows at the point. Left and Right go
// from sample to sample on the waveform and from line to line (those on the plot) on
// the spectrum, Up and Down 1 % of the height; with Shift every step is ten; Home and
// End go to the first and the last sample or line. The mouse takes over as soon as it
// moves over the plot, and the keys go on from where it left the point.
//
// It also keeps the plot's accessible description, which a screen reader speaks: the
// summary of the run the plot shows, and while the cross shows, the readout at it.
// Nothing happens on a plot that shows no run.
class ReadoutCursor : public QObject {
    Q_OBJECT

public:
    enum class Plot { waveform, spectrum };

    // Serves `plot` of the given kind, as long as it lives, with the runs of `module`.
    ReadoutCursor(PlotWidget& plot, const ComputationModule& module, Plot kind);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The places Left and Right step between, first..last, and the x of each in user
    // coordinates; none (last < first) when no line of the spectrum is on the plot.
    std::int32_t firstPlace() const;
    std::int32_t lastPlace() const;
    double placeX(std::int32_t place) const;
    // How many places lie left of x, or at it too when `atX`.
    std::int32_t placesLeftOf(double x, bool atX) const;

    bool showsRun() const;
    bool handleKey(const QKeyEvent& key);
    void readAt(QPointF point);
    void followMouse(float x, float y);
    // Back to the summary of the run: the cross goes, the point stays.
    void leaveKeyboard();
    void describeRun();

    PlotWidget& m_plot;
    const ComputationModule& m_module;
    Plot m_kind;
    // Where the last readout was taken, by the keys or the mouse; none before either.
    std::optional<QPointF> m_point;
    bool m_keyboardLeads = false;
    bool m_reading = false;
};
