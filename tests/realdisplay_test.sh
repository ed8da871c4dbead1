#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs realdisplay_test on X servers of its own, each with a window manager: Xvfb on a
# free display, openbox, xfwm4 (XFCE's), mutter (GNOME's, on X11), metacity (GNOME
# Flashback's) or marco (MATE's) on it, and the program's windows on Qt's X11
# platform. The screens are those classes have, from a 1024 x 768 projector to
# 2560 x 1440, then 1920 x 1200 with the windows scaled 2x by Qt, and 3840 x 2160, with
# room for the three windows apart, for where they open and the readouts; the two
# commonest again under each of the other four managers.
#
# usage: realdisplay_test.sh [EMULATOR...] TEST-PROGRAM
# (the emulator, qemu-user in the arm64 cross build, starts the test program)
set -euo pipefail

test_command=("$@")
for tool in Xvfb openbox xfwm4 mutter metacity marco dbus-run-session xprop xev; do
  if ! command -v "$tool" >/dev/null; then
    echo "realdisplay_test: $tool is missing (Debian packages xvfb, openbox, xfwm4, mutter," \
      "metacity, marco, dbus, x11-utils)" >&2
    exit 1
  fi
done

source "$(dirname "${BASH_SOURCE[0]}")/xvfb.sh"
scratch=$(mktemp -d)
server=
manager=
stop() {
  # The manager's whole session: dbus-run-session leaves its bus and the manager
  # running when it alone is stopped.
  if [[ -n $manager ]]; then
    kill -- "-$manager" 2>/dev/null || true
    wait "$manager" 2>/dev/null || true
  fi
  if [[ -n $server ]]; then kill "$server" 2>/dev/null || true; wait "$server" 2>/dev/null || true; fi
  manager=
  server=
}
trap 'stop; rm -rf "$scratch"' EXIT
mkdir -m 700 "$scratch/runtime"

# start_server_and_manager WIDTHxHEIGHT MANAGER
# Starts Xvfb and the window manager on it, and waits until the manager has announced
# itself on the root window and gives a new window the focus. A minute leaves room for a machine whose cores are busy
# with other tests; a manager that ends before announcing itself is not waited for.
# Says why on failure, with the manager's log, and leaves nothing running.
#
# Each manager runs in a session of its own (setsid, which needs no fork here: a
# background job of a script leads no process group), so that stopping it stops what
# it started too. xfwm4 reads its settings through Xfconf, a D-Bus service, and exits
# without one ("Xfconf could not be initialized"); mutter runs without a session bus
# but then tries to start one with dbus-launch for each of its D-Bus proxies. Both, and
# metacity and marco beside them, get a session bus of their own from dbus-run-session,
# and a runtime folder of the test's own, since a CI machine's root has none. xfwm4's compositor is off: it changes
# nothing of where windows go, and only costs the busy machine its cores.
start_server_and_manager() {
  local size=$1 name=$2
  start_xvfb realdisplay_test "${size}x24" || return 1
  local command
  case $name in
    openbox) command=(openbox --sm-disable --config-file "$scratch/rc.xml") ;;
    xfwm4) command=(dbus-run-session -- xfwm4 --replace --compositor=off --sm-client-disable) ;;
    mutter) command=(dbus-run-session -- mutter --x11 --replace) ;;
    metacity) command=(dbus-run-session -- metacity --replace) ;;
    marco) command=(dbus-run-session -- marco --replace) ;;
    *) echo "realdisplay_test: no window manager called $name" >&2; stop; return 1 ;;
  esac
  DISPLAY=$display XDG_RUNTIME_DIR=$scratch/runtime setsid "${command[@]}" \
    >"$scratch/manager.log" 2>&1 &
  manager=$!
  local announced=
  for _ in $(seq 600); do
    if DISPLAY=$display xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
      announced=yes
      break
    fi
    kill -0 "$manager" 2>/dev/null || break
    sleep 0.1
  done
  [[ -n $announced ]] && focuses_new_windows && return 0
  local why="did not announce itself (_NET_SUPPORTING_WM_CHECK on the root window) within a minute"
  if [[ -n $announced ]]; then
    why="gave a new window no focus within a minute"
    kill -0 "$manager" 2>/dev/null || why="ended after announcing itself"
  else
    kill -0 "$manager" 2>/dev/null || why="ended before announcing itself"
  fi
  kill -0 "$server" 2>/dev/null || why+=", and Xvfb ended too"
  echo "realdisplay_test: $name on ${display} (${size}) ${why}:" >&2
  cat "$scratch/manager.log" >&2
  stop
  return 1
}

# focuses_new_windows
# Whether the manager on `display` frames and activates a window mapped now, within a
# minute. A manager announces itself before it takes in the windows already on the
# screen, which it frames without giving any of them the focus: under xfwm4, a program
# started at the announcement now and then has its first window framed and never made
# active. A probe window (xev's) that becomes the active one shows the manager past
# that, handling new windows as it will the program's; it is closed before the program
# starts.
focuses_new_windows() {
  DISPLAY=$display xev -name realdisplay-probe >/dev/null 2>&1 &
  local probe=$! active= status=1
  for _ in $(seq 600); do
    active=$(DISPLAY=$display xprop -root _NET_ACTIVE_WINDOW 2>/dev/null | sed -n 's/.*# \(0x[0-9a-f]*\).*/\1/p')
    if [[ -n $active && $active != 0x0 ]] &&
      DISPLAY=$display xprop -id "$active" WM_NAME 2>/dev/null | grep -q realdisplay-probe; then
      status=0
      break
    fi
    kill -0 "$manager" 2>/dev/null || break
    sleep 0.1
  done
  kill "$probe" 2>/dev/null || true
  wait "$probe" 2>/dev/null || true
  return $status
}

# on_screen WIDTHxHEIGHT [WM=openbox|xfwm4|mutter|metacity|marco] [VAR=value...] -- TEST_FUNCTIONS...
# openbox unless WM says otherwise.
on_screen() {
  local size=$1
  shift
  local wm=openbox settings=()
  while [[ $1 != -- ]]; do
    if [[ $1 == WM=* ]]; then wm=${1#WM=}; else settings+=("$1"); fi
    shift
  done
  shift

  local display
  if ! start_server_and_manager "$size" "$wm"; then
    # Once more on a fresh server: a server or manager that failed to start on a busy
    # machine says nothing about the program.
    echo "realdisplay_test: starting again on a fresh server" >&2
    start_server_and_manager "$size" "$wm" || return 1
  fi

  echo "== ${size} ${wm} ${settings[*]}: $*"
  local status=0
  # More than one word is an emulator and the test program it runs.
  if ((${#test_command[@]} > 1)); then settings+=(UNDER_EMULATOR=1); fi
  env DISPLAY="$display" QT_QPA_PLATFORM=xcb "${settings[@]}" "${test_command[@]}" "$@" || status=$?
  stop
  return $status
}

# openbox puts a new window under the mouse pointer, as some desktops do: a window
# that is not placed by the program then covers the one below the pointer.
cat >"$scratch/rc.xml" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <placement><policy>UnderMouse</policy><center>no</center></placement>
</openbox_config>
XML

failed=0
# Screens with room for the plot windows clear of the parameter window, at the zoom
# given or more.
on_screen 2560x1440 LEAST_ZOOM=100 -- theWindowsShareTheScreen || failed=1
on_screen 1920x1080 LEAST_ZOOM=90 -- theWindowsShareTheScreen zoomStepsKeepEveryWindowOnTheScreen \
  f2BringsTheEntriesForward || failed=1
on_screen 1600x900 LEAST_ZOOM=80 -- theWindowsShareTheScreen || failed=1
# Screens without: the plot windows fit the screen, and the keyboard follows them.
on_screen 1366x768 -- theWindowsShareTheScreen zoomStepsKeepEveryWindowOnTheScreen \
  f2BringsTheEntriesForward || failed=1
on_screen 1024x768 -- theWindowsShareTheScreen zoomStepsKeepEveryWindowOnTheScreen \
  everyWindowLiesInsideTheScreen || failed=1
# A wide, short screen: the height stops the zoom before the width would.
on_screen 2560x1080 LARGEST_ZOOM=150 -- zoomStepsKeepEveryWindowOnTheScreen || failed=1
on_screen 1920x1200 QT_SCALE_FACTOR=2 -- everyWindowLiesInsideTheScreen || failed=1
on_screen 3840x2160 -- theWindowsOpenApartAndStayWhereTheUserPutsThem \
  readoutsShowWhileTheParameterWindowIsActive || failed=1
# The desktops of schools and homes: XFCE's window manager, GNOME's, GNOME Flashback's
# and MATE's, which place, frame and maximise windows by rules of their own (mutter
# maximises a window nearly the size of the screen's work area).
for wm in xfwm4 mutter metacity marco; do
  on_screen 1920x1080 WM=$wm LEAST_ZOOM=90 -- theWindowsShareTheScreen \
    zoomStepsKeepEveryWindowOnTheScreen f2BringsTheEntriesForward || failed=1
  on_screen 1366x768 WM=$wm -- theWindowsShareTheScreen zoomStepsKeepEveryWindowOnTheScreen \
    f2BringsTheEntriesForward || failed=1
done
exit $failed
