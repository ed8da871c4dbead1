#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The program read aloud by Orca, the screen reader of the Linux desktops, as a user
# without a mouse goes through it: Tab through the parameter window, "Grafici", the
# arrow keys on the waveform plot, then the spectrum window. Orca speaks into its debug
# log (no voice is needed); the test reads what it said, the "SPEECH OUTPUT" lines.
# Everything runs on servers of the test's own: Xvfb with openbox, a private D-Bus
# session with the AT-SPI bus, the program in an Italian locale, and keys sent with
# xdotool.
#   orca_test.sh PROGRAM
#
# Two things of Orca's are got round without changing it:
# - it refuses to start while another Orca of the same user runs (it asks pgrep), so
#   it runs in a PID namespace of its own (unshare), where no other Orca can be seen;
# - it writes its debug file through a block buffer, except to a terminal, so its
#   debug file is the terminal that `script` gives it, and `script` writes that to a
#   file as it comes.
set -euo pipefail

program=$1
for tool in Xvfb openbox xprop dbus-run-session dbus-send xdotool orca script unshare \
  /usr/libexec/at-spi-bus-launcher; do
  if ! command -v "$tool" >/dev/null; then
    echo "orca_test: $tool is missing (Debian packages xvfb, openbox, x11-utils, dbus, xdotool, orca," \
      "at-spi2-core, bsdutils, util-linux)" >&2
    exit 1
  fi
done
if ! unshare --map-current-user --pid --fork --mount-proc true 2>/dev/null; then
  echo "orca_test: this machine does not allow a PID namespace of the test's own (unshare)" >&2
  exit 1
fi

source "$(dirname "${BASH_SOURCE[0]}")/xvfb.sh"
scratch=$(mktemp -d)
server=
trap '[[ -n $server ]] && { kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; }; rm -rf "$scratch"' EXIT

start_xvfb orca_test 1920x1200x24 || exit 1

mkdir -m 700 "$scratch/runtime" "$scratch/home" "$scratch/orca"
unset AT_SPI_BUS_ADDRESS DBUS_SESSION_BUS_ADDRESS
# Orca's settings are those of a first start, kept in the test's folder; speech is off,
# since there is nobody to hear it and the log says what it would say.
export DISPLAY=$display XDG_RUNTIME_DIR=$scratch/runtime HOME=$scratch/home \
  GSETTINGS_BACKEND=memory
export PROGRAM=$program SCRATCH=$scratch LOG=$scratch/orca.log
status=0
dbus-run-session -- bash -c '
  set -eu
  openbox --sm-disable >"$SCRATCH/openbox.log" 2>&1 &
  # The window manager is ready once it has announced itself on the root window; a
  # window mapped before that is never made active.
  for _ in $(seq 600); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
    sleep 0.1
  done
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" ||
    { echo "orca_test: openbox did not announce itself within a minute:" >&2;
      cat "$SCRATCH/openbox.log" >&2; exit 1; }
  dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus \
    org.a11y.Bus.GetAddress >/dev/null
  QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 LC_ALL=it_IT.UTF-8 "$PROGRAM" >"$SCRATCH/program.log" 2>&1 &
  program=$!
  # window_named TITLE: waits for the program'\''s window of that title; sets `window`.
  window_named() {
    window=
    for _ in $(seq 600); do
      window=$(xdotool search --name "^$1\$" 2>/dev/null | head -1 || true)
      [[ -n $window ]] && return 0
      sleep 0.1
    done
    echo "orca_test: no window \"$1\" within 60 s" >&2
    return 1
  }
  # Orca starts once the program shows its window
  window_named "Filtro elimina banda con la DFT"
  # and the window manager has made it the active window: an Orca that finds no active
  # window at its start greets none, and takes no keys for one.
  for _ in $(seq 600); do
    [[ $(xdotool getactivewindow 2>/dev/null || true) == "$window" ]] && break
    sleep 0.1
  done
  [[ $(xdotool getactivewindow 2>/dev/null || true) == "$window" ]] ||
    { echo "orca_test: the parameter window did not become active" >&2; exit 1; }
  : >"$LOG"
  unshare --map-current-user --pid --fork --mount-proc --kill-child \
    script --quiet --flush --return --command \
    "LC_ALL=it_IT.UTF-8 orca --disable speech --user-prefs $SCRATCH/orca --debug-file /dev/tty" "$LOG" \
    >/dev/null 2>&1 &
  orca=$!
  trap "kill \$program \$orca 2>/dev/null || true" EXIT

  # What Orca has said so far, one utterance a line.
  said() { grep -a "SPEECH OUTPUT: '\''" "$LOG" 2>/dev/null | sed -e "s/^.*SPEECH OUTPUT: '\''//" \
             -e "s/'\'' *{.*\$//"; }
  # expect KEY PATTERN: presses KEY (none: only waits) and waits for Orca to say
  # something that matches PATTERN (an extended regular expression). Sets `heard`.
  # With no KEY, what was said since the last key counts too.
  heard=
  from=0
  expect() {
    local key=$1 pattern=$2
    if [[ -n $key ]]; then
      from=$(said | wc -l)
      xdotool key "$key"
    fi
    for _ in $(seq 600); do
      heard=$(said | tail -n +$((from + 1)) | grep -E -m1 -- "$pattern" || true)
      if [[ -n $heard ]]; then
        echo "${key:-(wait)}: $heard"
        return 0
      fi
      sleep 0.1
    done
    echo "orca_test: after ${key:-the start} Orca did not say /$pattern/ within 60 s; it said:" >&2
    said | tail -n +$((from + 1)) | sed "s/^/  /" >&2
    return 1
  }

  # Orca greets the active window, with the control that has the focus: "Grafici".
  expect "" "^Grafici"
  expect Tab "^N "
  # The value of an entry, whole.
  expect "" "^1000 selezionato"
  expect Tab "^W, secondi "
  expect "" "^2 selezionato"
  expect Tab "^fi, hertz "
  expect Tab "^Filtro ON"
  expect Tab "^f segnale, hertz "
  expect Tab "^r "
  expect Tab "^fs, hertz "
  expect Tab "^f disturbo sinusoidale, hertz "
  expect Tab "^Casella per la scelta del segnale"
  # The first signal of the list, Segnale sinusoidale, into the field.
  xdotool key Down
  expect Tab "^Ampiezza di picco disturbo, volt "
  expect Tab "^Ampiezza di picco segnale, volt "
  expect Tab "^Comp. cont. segnale "
  expect Tab "^Espansione asse frequenze "
  expect Tab "^Grafici (push button|pulsante)"

  # The run shows the waveform window without taking the focus; the user goes there.
  xdotool key space
  window_named "Forme d.onda reali"
  xdotool windowactivate "$window"
  expect "" "^Forme d.onda reali "
  expect Right "^t= .*, campione 501 di 1000"
  right=$heard
  expect End "^t= .*, campione 1000 di 1000"
  if [[ ${right%% ;*} == "${heard%% ;*}" ]]; then
    echo "orca_test: Right and End were read with the same time: $right / $heard" >&2
    exit 1
  fi
  expect Tab "^V\\(t\\)"
  expect Tab "^Visualizza spettro"
  expect space "^Spettro "
  expect End "^f= .* Hz ; S\\(f\\) = .* V, riga "
  expect Tab "^D\\.C\\. "
  expect Tab "^Spettro "
' || status=$?
if ((status != 0)); then
  echo "orca_test: the program said:" >&2
  cat "$scratch/program.log" >&2
  echo "orca_test: the end of Orca's log:" >&2
  tail -n 40 "$scratch/orca.log" >&2
fi
exit $status
