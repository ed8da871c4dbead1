// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

// The windows' sans serif at a size in points at 96 dots per inch (8.25 pt is 11
// logical pixels). MS Sans Serif where it exists; elsewhere a sans serif of the same
// proportions, so that every caption fits its box as laid out.
QFont windowFont(double points, bool bold);
