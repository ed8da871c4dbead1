// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/computationmodule.h"

#include <QObject>
#include <QPointF>

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

class QKeyEvent;
class PlotWidget;

// The readout on the keyboard, for a student without a mouse and a teacher stepping
// along a curve on the projector. While the plot has the focus, the arrow keys move a
// point over it, shown as a small cross on the screen only, and the plot's readout is
// taken at that point by the same function the mouse's is, and shown as the tool-tip
// at the cross. Left and Right go from sample to sample of the chosen curve on the
// waveform and from line top to line top (those on the plot) on the spectrum, so that
// the level read is the signal's there; Up and Down move 1 % of the height, off the
// curve; with Shift every step is ten; Home and End go to the first and the last sample
// or line. The mouse takes over as soon as it moves over the plot, and the keys go on
// from where it left the point.
//
// It also keeps what a screen reader says of the plot: the summary of the run the plot
// shows, and while the cross shows, the readout at it with the sample or line it is on
// ("campione 501 di 1000"), so that two steps never sound the same.
// Nothing happens on a plot that shows no run.
class ReadoutCursor : public QObject {
    Q_OBJECT

public:
    enum class Plot { waveform, spectrum };

    // What the plot's window reads at a point: the readout text (empty where there is
    // none), and the height at which Left and Right put the cross on a place (a sample
    // or a line) when it stands at a given height.
    struct Reader {
        std::function<QString(QPointF)> readout;
        std::function<double(std::int32_t place, double y)> placeY;
    };

    // Serves `plot` of the given kind, as long as it lives, with the runs of `module`,
    // read by `reader`.
    ReadoutCursor(PlotWidget& plot, const ComputationModule& module, Plot kind, Reader reader);

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
    // ", campione 501 di 1000" or ", riga 35 di 71" when x is that of a place; else empty.
    QString placeName(double x) const;
    void followMouse(float x, float y);
    // Back to the summary of the run: the cross goes, the point stays.
    void leaveKeyboard();
    void describeRun();

    PlotWidget& m_plot;
    const ComputationModule& m_module;
    Plot m_kind;
    Reader m_reader;
    // Where the last readout was taken, by the keys or the mouse; none before either.
    std::optional<QPointF> m_point;
    bool m_keyboardLeads = false;
};
