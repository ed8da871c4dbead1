// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/commandbutton.h"

#include <QStyleFactory>
#include <QStyleOptionButton>
#include <QStylePainter>

CommandButton::CommandButton(const QString& caption, QColor face, QWidget* parent)
    : QPushButton(caption, parent)
{
    // Native styles (Windows, macOS) paint button faces from their theme and ignore the
    // palette; Fusion paints them in the palette's button colour.
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) {
        fusion->setParent(this);
        setStyle(fusion);
    }
    QPalette colours = palette();
    colours.setColor(QPalette::Button, face);
    colours.setColor(QPalette::ButtonText, Qt::black);
    setPalette(colours);
    setAutoDefault(false);
    setDefault(false);
}

void CommandButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    const QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic, caption);
}
