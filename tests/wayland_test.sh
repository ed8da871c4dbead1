#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The program in a Wayland session that also offers X11, as GNOME's and Raspberry Pi
# OS's do: a headless weston with Xwayland. Unless the user chose a platform, the
# program must open its window on X11, where it can place its windows; with
# QT_QPA_PLATFORM=wayland it must keep to Wayland.
set -euo pipefail

program=$1
for tool in weston Xwayland xwininfo; do
  if ! command -v "$tool" >/dev/null; then
    echo "wayland_test: $tool is missing (Debian packages weston, xwayland, x11-utils)" >&2
    exit 1
  fi
done

scratch=$(mktemp -d)
chmod 700 "$scratch"
compositor=
clients=()
stop() {
  for client in "${clients[@]}"; do kill "$client" 2>/dev/null || true; done
  if [[ -n $compositor ]]; then kill "$compositor" 2>/dev/null || true; wait "$compositor" 2>/dev/null || true; fi
}
trap 'stop; rm -rf "$scratch"' EXIT

export XDG_RUNTIME_DIR=$scratch
weston --backend=headless-backend.so --xwayland --socket=wayland-test --idle-time=0 \
  --log="$scratch/weston.log" &
compositor=$!
display=
# Bounds of a minute here are for a server or a program that never answers, not for a
# machine slowed by other tests.
for _ in $(seq 600); do
  display=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$scratch/weston.log" 2>/dev/null || true)
  [[ -n $display ]] && break
  sleep 0.1
done
if [[ -z $display ]]; then
  echo "wayland_test: weston did not offer X11" >&2
  cat "$scratch/weston.log" >&2
  exit 1
fi

# start [VAR=value...]: the program as a Wayland session's desktop starts it.
start() {
  env -u QT_QPA_PLATFORM WAYLAND_DISPLAY=wayland-test XDG_SESSION_TYPE=wayland DISPLAY="$display" \
    "$@" "$program" >"$scratch/program.log" 2>&1 &
  clients+=($!)
}

onX11() {
  xwininfo -display "$display" -root -tree 2>/dev/null | grep -q '"Filtro elimina banda con la DFT"'
}

start
for _ in $(seq 600); do onX11 && break; sleep 0.1; done
if ! onX11; then
  echo "wayland_test: the parameter window did not open on X11" >&2
  cat "$scratch/program.log" >&2
  exit 1
fi
kill "${clients[0]}"
wait "${clients[0]}" 2>/dev/null || true
clients=()

# Qt's painting log names the parameter window once its picture reaches the screen:
# from then on, an X11 window would be there too if the choice had been overridden.
start QT_QPA_PLATFORM=wayland QT_LOGGING_RULES='qt.widgets.painting=true'
painted='Flushing QRegion(.*) of Form1('
for _ in $(seq 600); do
  grep -q "$painted" "$scratch/program.log" && break
  kill -0 "${clients[0]}" 2>/dev/null || break
  sleep 0.1
done
if ! kill -0 "${clients[0]}" 2>/dev/null || ! grep -q "$painted" "$scratch/program.log"; then
  echo "wayland_test: the program did not show its window on Wayland within a minute when asked to" >&2
  cat "$scratch/program.log" >&2
  exit 1
fi
if onX11; then
  echo "wayland_test: QT_QPA_PLATFORM=wayland was overridden" >&2
  exit 1
fi
echo "wayland_test: on X11 by choice of the program, on Wayland by choice of the user"
