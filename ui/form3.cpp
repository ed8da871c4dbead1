// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/form3.h"

#include "core/readouts.h"
#include "plot/plotdrawing.h"
#include "ui/captionlabel.h"
#include "ui/fonts.h"
#include "ui/icons.h"
#include "ui/localenumbers.h"
#include "ui/plotwidget.h"
#include "ui/twips.h"

namespace {

QLabel* makeLabel(const QString& caption, const char* name, QRect place, QWidget* parent)
{
    QLabel* label = captionLabel(caption, parent);
    label->setObjectName(QString::fromUtf8(name));
    label->setGeometry(place);
    return label;
}

}  // namespace

Form3::Form3(const ComputationModule& module, QWidget* parent)
    : PlotWindow(module, QStringLiteral("Spettro"), ReadoutCursor::Plot::spectrum, Qt::black,
                 twipRect(0, 0, 15135, 9255), RunPlot::spectrum, parent)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowIcon(trefoilIcon());
    setFont(windowFont(8.25, true));
    resize(twips(17460), twips(9705));

    // Created in tab order, after the plot.

    m_dcReadout = makeLabel(QString(), "Label1", twipRect(15720, 4200, 1215, 255), this);
    m_dcReadout->setAutoFillBackground(true);
    QPalette readoutColours = m_dcReadout->palette();
    readoutColours.setColor(QPalette::Window, Qt::black);
    readoutColours.setColor(QPalette::WindowText, QColor(255, 0, 0));
    m_dcReadout->setPalette(readoutColours);
    // The plot would be the window's only stop for Tab, which then says nothing; the DC
    // readout, which the plot leaves out, is the second, and coming back to the plot
    // says its name and summary again.
    m_dcReadout->setFocusPolicy(Qt::TabFocus);
    setDcReadout(QString());

    addBlankPicture(twipRect(15960, 6240, 495, 375));

    makeLabel(QStringLiteral("D.C."), "Label2", twipRect(15240, 4200, 375, 255), this);
    makeLabel(QStringLiteral("[V]"), "Label3", twipRect(17040, 4200, 375, 255), this);
    makeLabel(QStringLiteral("Righe dello spettro in rosso, componente continua non "
                             "visualizzata, ( D.C. )"),
              "Label4", twipRect(120, 9360, 7335, 255), this);
}

void Form3::setDcReadout(const QString& text)
{
    m_dcReadout->setText(text);
    m_dcReadout->setAccessibleName(text.isEmpty() ? QStringLiteral("D.C.")
                                                  : QStringLiteral("D.C. %1 V").arg(text));
}

void Form3::Picture1_MouseMove(int, int, float X, float Y)
{
    const QString readout = readoutAt(X, Y);
    if (!readout.isEmpty())
        m_plot->setToolTipText(readout.toStdString());
}

QString Form3::readoutAt(float x, float y)
{
    if (!m_plot->hasUserScale())
        return {};
    return QString::fromStdString(spectrumReadout(m_module, x, y, localeDecimalSeparator()));
}

double Form3::placeY(std::int32_t place, double) const
{
    const CompletedRun& run = *m_module.completedRun();
    return lineTopY(run.arrays.spectrumMag[static_cast<std::size_t>(place)], run.spectrumPeak);
}
