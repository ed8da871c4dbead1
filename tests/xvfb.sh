# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the tests that run the program on an X server of their own.

# start_xvfb NAME WIDTHxHEIGHTxDEPTH
# Starts Xvfb on a free display, sets `server` to its process and `display` to its
# name (":N") once it accepts clients. Needs `scratch`, a folder of the test's own.
# Returns 1, with Xvfb's log, if the server has not started within a minute (a bound
# for a server that never starts, not for one slowed by a busy machine).
start_xvfb() {
  local name=$1 screen=$2
  # Xvfb picks a free display itself and writes its number once it accepts clients.
  # Without -noreset it starts itself again whenever its last client leaves, and a
  # client that connects meanwhile (a window manager starting while a check of the
  # root window comes and goes) is refused: "Failed to open the display".
  : >"$scratch/display"
  Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset 3>"$scratch/display" \
    2>"$scratch/xvfb.log" &
  server=$!
  for _ in $(seq 600); do
    [[ -s $scratch/display ]] && break
    sleep 0.1
  done
  if [[ ! -s $scratch/display ]]; then
    echo "$name: Xvfb did not start within a minute" >&2
    cat "$scratch/xvfb.log" >&2
    return 1
  fi
  display=":$(tr -d '\n' <"$scratch/display")"
}
