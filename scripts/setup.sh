#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what the build needs from Debian's packages, builds, and then starts the
# program ("run"), runs every test ("test"), or makes the Debian package for this PC
# ("package") or for arm64, the Raspberry Pi's ("package-arm64"). The tests run for
# arm64 too, under emulation.
set -euo pipefail

mode=${1:-}
case "$mode" in
  run | test | package | package-arm64) ;;
  *) echo "usage: $0 run|test|package|package-arm64" >&2; exit 2 ;;
esac

cd "$(dirname "$0")/.."

packages=(cmake g++ ninja-build qt6-base-dev qt6-svg-dev qt6-translations-l10n fonts-liberation
          libgtest-dev libgmock-dev libbenchmark-dev dpkg-dev desktop-file-utils)
# The fuzzer is built by clang. The package test has the package judged by lintian
# and its AppStream metainfo by appstreamcli.
if [[ $mode == test ]]; then
  packages+=(clang lintian appstream)
  # The window tests that need a real X server start their own, with a window manager:
  # openbox, XFCE's xfwm4, GNOME's mutter, GNOME Flashback's metacity and MATE's marco,
  # all but openbox on a D-Bus session. Marco reads the mouse settings, whose schema
  # comes with MATE's settings daemon's files, which it only recommends.
  packages+=(xvfb openbox xfwm4 mutter metacity marco mate-settings-daemon-common dbus x11-utils)
  # and one runs it in a Wayland session with X11 beside it, where Qt could take either.
  packages+=(weston xwayland qt6-wayland)
  # The screen reader's bridge: the AT-SPI bus on a D-Bus session, read from Python.
  packages+=(dbus at-spi2-core python3-pyatspi)
  # The tables a student copies or saves, imported by LibreOffice Calc, headless, and
  # read back from the workbook it writes.
  packages+=(libreoffice-calc-nogui unzip)
  # The screen reader itself, Orca, driven by keys that xdotool sends.
  packages+=(orca xdotool)
fi

as_root=()
if ((EUID != 0)); then as_root=(sudo); fi
updated=false
install_missing() {
  local missing=() package
  for package in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$package")
    fi
  done
  ((${#missing[@]})) || return 0
  echo "Installing: ${missing[*]}"
  if [[ $updated == false ]]; then
    "${as_root[@]}" apt-get update -q
    updated=true
  fi
  # Never by removing a package: installing arm64 libraries may upgrade the PC's own
  # to the same release, which is as it should be, but must not take any away.
  DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -q --no-install-recommends \
    --no-remove "${missing[@]}"
}

install_missing "${packages[@]}"

# The arm64 build: Debian's cross compiler, qemu-user to run what it builds, and the
# arm64 libraries installed beside the PC's (Qt's moc and uic, the PC's, serve both).
if [[ $mode == test || $mode == package-arm64 ]]; then
  install_missing crossbuild-essential-arm64 qemu-user
  if ! dpkg --print-foreign-architectures | grep -qx arm64; then
    "${as_root[@]}" dpkg --add-architecture arm64
    # The package lists read so far have no arm64 packages.
    updated=false
  fi
  install_missing qt6-base-dev:arm64 qt6-svg-dev:arm64 libgtest-dev:arm64 libgmock-dev:arm64
fi
if [[ $mode == test ]]; then
  # libFuzzer and the sanitizers' runtimes must be those of the clang just installed.
  clang_major=$(clang -dumpversion | cut -d. -f1)
  install_missing "libclang-rt-$clang_major-dev"
fi

# ctest lists the tests it skipped, but not why: GoogleTest wrote why after "Skipped",
# Qt Test on its "SKIP" line.
show_skipped() {
  local log=$1/Testing/Temporary/LastTest.log
  [[ -f $log ]] || return 0
  awk '/^[0-9]+\/[0-9]+ Test: / { name = $3 }
       /^SKIP   : / { sub(/^SKIP   : /, ""); printf "Skipped %s: %s\n", name, $0; next }
       /: Skipped$/ { reason = 1; printf "Skipped %s:", name; next }
       reason && /^\[  SKIPPED \]/ { reason = 0; print ""; next }
       reason { printf " %s", $0 }' "$log"
}

if [[ $mode == test ]]; then
  cmake --workflow --preset default
  show_skipped build
  # The same tests built for arm64 and run under qemu-user, then the arm64 package.
  cmake --workflow --preset arm64
  show_skipped build-arm64
  # The benchmarks are not run here, only kept building.
  cmake --workflow --preset bench
  # A minute of fuzzing, then every test again under AddressSanitizer and
  # UndefinedBehaviorSanitizer.
  ./scripts/fuzz.sh 60
  cmake --workflow --preset sanitize
  show_skipped build-sanitize
elif [[ $mode == package ]]; then
  cmake --workflow --preset package
elif [[ $mode == package-arm64 ]]; then
  cmake --preset arm64
  cmake --build --preset arm64
  cpack --preset arm64
else
  cmake --preset default
  cmake --build --preset default
  if [[ -z ${DISPLAY:-}${WAYLAND_DISPLAY:-} ]]; then
    echo "Built build/app/filtro-dft, but there is no display to open its windows on." >&2
    exit 1
  fi
  exec ./build/app/filtro-dft
fi
