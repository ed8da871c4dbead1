// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>

#include <string>

// The decimal separator of the user's locale (or of the default locale a program or
// test has set), in UTF-8, for the readouts' number patterns.
inline std::string localeDecimalSeparator()
{
    return QLocale().decimalPoint().toStdString();
}
