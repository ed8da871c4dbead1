// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/guidewindow.h"

#include "ui/fonts.h"
#include "ui/icons.h"
#include "ui/messagebox.h"
#include "ui/twips.h"
#include "ui/zoom.h"

#include <QFile>
#include <QKeySequence>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

constexpr double textPoints = 9.75;

// The anchors of the guide's HTML, in the order of Section.
const char* const anchors[] = {"parametri", "forme-d-onda", "spettro"};

QString guideHtml()
{
    QFile file(QStringLiteral(":/guida/guida.html"));
    const bool opened = file.open(QIODevice::ReadOnly);
    Q_ASSERT(opened);  // the guide is compiled into the program
    return QString::fromUtf8(file.readAll());
}

}  // namespace

GuideWindow::GuideWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("Guida"));
    setWindowTitle(QStringLiteral("Guida - ") + applicationTitle);
    setWindowIcon(alarmClockIcon());
    // The text takes the window's font: the zoom scales it, and the HTML sets no sizes of
    // its own, so the headings grow with it.
    setFont(windowFont(textPoints, false));
    resize(twips(9600), twips(9000));

    m_text = new QTextBrowser(this);
    m_text->setObjectName(QStringLiteral("guideText"));
    m_text->setAccessibleName(windowTitle());
    m_text->setOpenLinks(false);
    m_text->setHtml(guideHtml());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_text);

    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
}

void GuideWindow::followZoom(Zoom& zoom)
{
    zoom.actions(*this);
    connect(&zoom, &Zoom::changed, this, &GuideWindow::applyZoom);
    applyZoom(zoom.percent());
}

void GuideWindow::applyZoom(int percent)
{
    setFont(windowFont(textPoints * percent / 100, false));
}

void GuideWindow::showSection(Section section)
{
    // A hidden browser scrolls once it is shown and its text has been laid out at its
    // width; scrolled before that, the anchor would land elsewhere.
    const QString anchor = QString::fromLatin1(anchors[static_cast<int>(section)]);
    m_text->scrollToAnchor(anchor);
    show();
    raise();
    activateWindow();
}
