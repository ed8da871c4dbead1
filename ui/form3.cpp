// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/form3.h"

#include "core/readouts.h"
#include "core/runtables.h"
#include "ui/captionlabel.h"
#include "ui/fonts.h"
#include "ui/icons.h"
#include "ui/localenumbers.h"
#include "ui/plotcopymenu.h"
#include "ui/plotwidget.h"
#include "ui/readoutcursor.h"
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
    : PlotWindow(parent), m_module(module)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Spettro"));
    setWindowIcon(trefoilIcon());
    setFont(windowFont(8.25, true));
    resize(twips(17460), twips(9705));

    // Created in tab order.
    m_plot = new PlotWidget(Qt::black, this);
    m_plot->setObjectName(QStringLiteral("Picture1"));
    m_plot->setAccessibleName(windowTitle());
    m_plot->setGeometry(twipRect(0, 0, 15135, 9255));
    connect(m_plot, &PlotWidget::mouseMoved, this, &Form3::Picture1_MouseMove);
    new PlotCopyMenu(*m_plot, m_module, RunPlot::spectrum);
    new ReadoutCursor(*m_plot, m_module, ReadoutCursor::Plot::spectrum);

    m_dcReadout = makeLabel(QString(), "Label1", twipRect(15720, 4200, 1215, 255), this);
    m_dcReadout->setAutoFillBackground(true);
    QPalette readoutColours = m_dcReadout->palette();
    readoutColours.setColor(QPalette::Window, Qt::black);
    readoutColours.setColor(QPalette::WindowText, QColor(255, 0, 0));
    m_dcReadout->setPalette(readoutColours);

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
}

void Form3::Picture1_MouseMove(int, int, float X, float Y)
{
    if (!m_plot->hasUserScale())
        return;
    m_plot->setToolTipText(spectrumReadout(m_module, X, Y, localeDecimalSeparator()));
}
