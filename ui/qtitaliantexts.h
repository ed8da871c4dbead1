// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QCoreApplication;

// Puts Qt's own texts (the entry boxes' context menu, the buttons Qt supplies) into
// Italian, like everything else the program shows, whatever the user's locale. The
// translation comes with Qt (Debian's qt6-translations-l10n); without it Qt's English
// texts stay and the program runs as before.
void installQtItalianTexts(QCoreApplication& application);
