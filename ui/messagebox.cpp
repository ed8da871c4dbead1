// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/messagebox.h"

#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

int titleRoom(const QWidget& dialog)
{
    // The window manager writes titles in a font of its own, often bold and larger than
    // the dialog's, between the window's icon and its buttons.
    QFont title = dialog.font();
    title.setBold(true);
    return QFontMetrics(title).horizontalAdvance(dialog.windowTitle()) * 5 / 4 + 160;
}

void showMessage(QWidget* parent, const std::string& text)
{
    QMessageBox box(QMessageBox::Warning, applicationTitle, QString::fromStdString(text),
                    QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("messageBox"));
    // A message box is as wide as its text asks, and a short text would cut the title
    // short; it sizes itself from its layout, which this row widens.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(titleRoom(box), 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    box.exec();
}
