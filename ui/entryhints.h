// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

class QWidget;

// What a run reads from an entry text that it does not read whole, said in Italian:
// the value read and what was left, as in "Letto come 1: il separatore decimale è il
// punto (1.5)", or "Letto come 0: casella vuota" for a box with nothing in it. Nothing
// for a text read whole, blanks around the number included.
std::optional<QString> entryHint(const QString& text);

// Gives each entry box of `window` whose text is not read whole a tinted background
// and its hint as the tool-tip, and takes both from the boxes read whole. The boxes
// keep their hints until the next call: the window has no reaction to typing.
void showEntryHints(QWidget& window);
