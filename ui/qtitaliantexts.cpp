// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/qtitaliantexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

void installQtItalianTexts(QCoreApplication& application)
{
    auto* translator = new QTranslator(&application);
    if (translator->load(QStringLiteral("qtbase_it"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}
