// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/form2.h"

#include "core/readouts.h"
#include "plot/plotdrawing.h"
#include "ui/captionlabel.h"
#include "ui/commandbutton.h"
#include "ui/fonts.h"
#include "ui/icons.h"
#include "ui/localenumbers.h"
#include "ui/plotwidget.h"
#include "ui/twips.h"

#include <QRadioButton>

Form2::Form2(const ComputationModule& module, QWidget* parent)
    : PlotWindow(module, QStringLiteral("Forme d'onda reali"), ReadoutCursor::Plot::waveform,
                 QColor(255, 255, 192), twipRect(120, 120, 15015, 9135), RunPlot::waveform, parent)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowIcon(alarmClockIcon());
    setFont(windowFont(8.25, true));
    resize(twips(18495), twips(10005));

    // Created in tab order, after the plot.
    QLabel* hint = captionLabel(
        QStringLiteral("Sposta il cursore del mouse sulla forma d'onda , comparirà il valore "
                       "in quel punto"),
        this);
    hint->setObjectName(QStringLiteral("Label1"));
    hint->setFont(windowFont(9.75, true));
    hint->setGeometry(twipRect(120, 9480, 8655, 375));

    addBlankPicture(twipRect(16800, 6480, 495, 375));

    m_inputCurve = new QRadioButton(QStringLiteral("V(t)"), this);
    m_inputCurve->setObjectName(QStringLiteral("Option1"));
    m_inputCurve->setGeometry(twipRect(15240, 2280, 1215, 375));
    m_outputCurve = new QRadioButton(QStringLiteral("Vr(t)"), this);
    m_outputCurve->setObjectName(QStringLiteral("Option2"));
    m_outputCurve->setGeometry(twipRect(15240, 6840, 855, 375));

    auto* showSpectrum =
        new CommandButton(QStringLiteral("Visualizza spettro"), QColor(255, 0, 0), this);
    showSpectrum->setObjectName(QStringLiteral("Command1"));
    showSpectrum->setFont(windowFont(12, true));
    showSpectrum->setGeometry(twipRect(15360, 480, 1935, 855));
    connect(showSpectrum, &QPushButton::clicked, this, &Form2::Command1_Click);
}

void Form2::Command1_Click()
{
    emit spectrumRequested();
}

void Form2::Picture1_MouseMove(int, int, float X, float Y)
{
    m_plot->scale(0, 100, 100, 0);
    const QString readout = readoutAt(X, Y);
    // Before any selection (a drag below the plot) the tool-tip stays as it is.
    if (!readout.isEmpty())
        m_plot->setToolTipText(readout.toStdString());
}

QString Form2::readoutAt(float x, float y)
{
    if (y >= 50.0f)
        m_inputCurve->setChecked(true);
    else if (y >= 0.0f)
        m_outputCurve->setChecked(true);
    // Below the plot (a drag) the selection stays.
    if (!m_inputCurve->isChecked() && !m_outputCurve->isChecked())
        return {};
    const WaveformCurve curve =
        m_inputCurve->isChecked() ? WaveformCurve::input : WaveformCurve::output;
    return QString::fromStdString(waveformReadout(m_module, curve, x, y, localeDecimalSeparator()));
}

double Form2::placeY(std::int32_t place, double y) const
{
    const CompletedRun& run = *m_module.completedRun();
    const bool input = m_inputCurve->isChecked() || (!m_outputCurve->isChecked() && y >= 50);
    const auto at = static_cast<std::size_t>(place);
    return input ? curvePointY(run.arrays.inputSignal[at], run.inputPeak, 75)
                 : curvePointY(run.arrays.outputSignal[at], run.outputPeak, 25);
}
