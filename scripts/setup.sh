#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what the build needs from Debian's packages, builds, and then starts the
# program ("run"), runs every test ("test") or makes the Debian package ("package").
set -euo pipefail

mode=${1:-}
case "$mode" in
  run | test | package) ;;
  *) echo "usage: $0 run|test|package" >&2; exit 2 ;;
esac

cd "$(dirname "$0")/.."

packages=(cmake g++ ninja-build qt6-base-dev qt6-svg-dev qt6-translations-l10n fonts-liberation
          libgtest-dev libgmock-dev libbenchmark-dev dpkg-dev desktop-file-utils)
# The fuzzer is built by clang. The package test has the package judged by lintian
# and its AppStream metainfo by appstreamcli.
if [[ $mode == test ]]; then
  packages+=(clang lintian appstream)
  # The window tests that need a real X server start their own, with a window manager.
  packages+=(xvfb openbox x11-utils)
  # and one runs it in a Wayland session with X11 beside it, where Qt could take either.
  packages+=(weston xwayland qt6-wayland)
  # The screen reader's bridge: the AT-SPI bus on a D-Bus session, read from Python.
  packages+=(dbus at-spi2-core python3-pyatspi)
fi

updated=false
install_missing() {
  local missing=() package
  for package in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$package")
    fi
  done
  ((${#missing[@]})) || return 0
  local as_root=()
  if ((EUID != 0)); then as_root=(sudo); fi
  echo "Installing: ${missing[*]}"
  if [[ $updated == false ]]; then
    "${as_root[@]}" apt-get update -q
    updated=true
  fi
  DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
}

install_missing "${packages[@]}"
if [[ $mode == test ]]; then
  # libFuzzer and the sanitizers' runtimes must be those of the clang just installed.
  clang_major=$(clang -dumpversion | cut -d. -f1)
  install_missing "libclang-rt-$clang_major-dev"
fi

if [[ $mode == test ]]; then
  cmake --workflow --preset default
  # The benchmarks are not run here, only kept building.
  cmake --workflow --preset bench
  # A minute of fuzzing, then every test again under AddressSanitizer and
  # UndefinedBehaviorSanitizer.
  ./scripts/fuzz.sh 60
  cmake --workflow --preset sanitize
elif [[ $mode == package ]]; then
  cmake --workflow --preset package
else
  cmake --preset default
  cmake --build --preset default
  if [[ -z ${DISPLAY:-}${WAYLAND_DISPLAY:-} ]]; then
    echo "Built build/app/filtro-dft, but there is no display to open its windows on." >&2
    exit 1
  fi
  exec ./build/app/filtro-dft
fi
