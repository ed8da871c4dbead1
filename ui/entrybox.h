// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>

// An entry box of the parameter window: a line edit that a screen reader reads whole.
//
// Qt 6.4 answers a screen reader's question for the text attributes at an offset of a
// line edit with an empty run, from the offset to itself. Orca 43 splits the line it
// speaks into such runs, and so says "100" for "1000" and nothing for "2". The entry
// reports one run over its whole text, as a line edit without attributes has; all else
// it reports as Qt's line edits do.
class EntryBox : public QLineEdit {
    Q_OBJECT

public:
    explicit EntryBox(const QString& text, QWidget* parent = nullptr);
};
