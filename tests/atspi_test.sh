#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the program as a screen reader's user would have it, and reads it through the
# same bridge: an X server of its own (Xvfb), a private D-Bus session with the AT-SPI
# bus of at-spi2-core, the program on Qt's X11 platform in an Italian locale, and
# atspi_client.py (pyatspi) as the assistive tool.
#   atspi_test.sh PROGRAM CLIENT
set -euo pipefail

program=$1
client=$2
for tool in Xvfb dbus-run-session dbus-send /usr/libexec/at-spi-bus-launcher; do
  if ! command -v "$tool" >/dev/null; then
    echo "atspi_test: $tool is missing (Debian packages xvfb, dbus, at-spi2-core)" >&2
    exit 1
  fi
done
# Debian's Python, whatever python3 comes first on the PATH: pyatspi is its package.
if ! /usr/bin/python3 -c 'import pyatspi' 2>/dev/null; then
  echo "atspi_test: pyatspi is missing (Debian package python3-pyatspi)" >&2
  exit 1
fi

source "$(dirname "${BASH_SOURCE[0]}")/xvfb.sh"
scratch=$(mktemp -d)
server=
trap '[[ -n $server ]] && { kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; }; rm -rf "$scratch"' EXIT

start_xvfb atspi_test 1920x1200x24 || exit 1

# The AT-SPI bus keeps its socket in the runtime folder; this one is the test's own,
# and no bus of the desktop the test was started from may be used instead.
mkdir -m 700 "$scratch/runtime"
unset AT_SPI_BUS_ADDRESS DBUS_SESSION_BUS_ADDRESS
export DISPLAY=$display XDG_RUNTIME_DIR=$scratch/runtime
export PROGRAM=$program CLIENT=$client LOG=$scratch/program.log
# Qt joins the accessibility bus when it appears, so it is started first, by asking
# the session bus for its address. Qt takes the bus as asked for by a screen reader
# only when the desktop's setting says so; this session has no desktop settings.
status=0
dbus-run-session -- bash -c '
  set -eu
  dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus \
    org.a11y.Bus.GetAddress >/dev/null
  QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 LC_ALL=it_IT.UTF-8 \
    "$PROGRAM" >"$LOG" 2>&1 &
  program=$!
  status=0
  /usr/bin/python3 "$CLIENT" || status=$?
  kill "$program" 2>/dev/null || true
  wait "$program" 2>/dev/null || true
  exit $status
' 2> >(grep -v -e "Failed to set fd limit" -e "Activating service" -e "Successfully activated" \
          -e "SpiRegistry daemon is running" >&2) || status=$?
if ((status != 0)); then
  echo "atspi_test: the program said:" >&2
  cat "$LOG" >&2
fi
exit $status
