// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// To be called before the application object is made. In a Wayland session that also
// offers X11 (Xwayland), the program runs on X11 unless the user has chosen a platform
// with QT_QPA_PLATFORM: a Wayland client cannot place its windows, nor show a readout
// over a window that is not active, and the keyboard rule of the windows needs both.
void preferX11InWaylandSession();
