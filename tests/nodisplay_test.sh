#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Started where there is no display, the program says so in one Italian line and ends
# with the status 1, instead of Qt's English lines and an abort.
#   nodisplay_test.sh [EMULATOR...] PROGRAM
set -uo pipefail
said=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" 2>&1 >/dev/null)
status=$?
echo "status $status: $said"
[[ $status == 1 ]] || exit 1
[[ $said == "filtro-dft: nessuno schermo su cui aprire le finestre "* ]] || exit 1
[[ $(wc -l <<<"$said") == 1 ]]
