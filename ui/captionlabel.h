// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

// A label as the windows use them: the caption wraps at word boundaries within the
// label's width, starts at its top-left corner and is clipped to its box.
inline QLabel* captionLabel(const QString& caption, QWidget* parent)
{
    auto* label = new QLabel(caption, parent);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setTextFormat(Qt::PlainText);
    return label;
}
