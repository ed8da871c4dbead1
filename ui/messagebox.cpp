// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/messagebox.h"

#include <QMessageBox>

void showMessage(QWidget* parent, const std::string& text)
{
    QMessageBox box(QMessageBox::Warning, applicationTitle, QString::fromStdString(text),
                    QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("messageBox"));
    box.exec();
}
