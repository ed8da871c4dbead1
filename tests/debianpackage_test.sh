#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the Debian package from a build folder, has Debian's own tools judge it, unpacks
# it into a scratch root and checks what an installation gets: dependencies read from the
# program, a valid desktop entry whose program and icons are in the package, valid
# AppStream metainfo, the same files as `cmake --install`, and a program that starts and
# shows its parameter window.
#
# Unpacking (dpkg -x) rather than installing (dpkg -i) keeps the test the same for a
# user and for root and leaves the machine as it was; the one thing dpkg -i would add,
# that every dependency is present, is checked here against the installed packages.
#
# The package is for the build's architecture, which may not be this machine's: its
# dependencies are checked against the installed packages of that architecture, and
# its program is started through the emulator given, if any (qemu-user in the arm64
# cross build).
#
# usage: debianpackage_test.sh CMAKE CPACK BUILD-FOLDER [EMULATOR...]
set -euo pipefail

cmake=$1
cpack=$2
build=$3
emulator=("${@:4}")
scratch=$(mktemp -d)
program_pid=
trap '[[ -n $program_pid ]] && kill "$program_pid" 2>/dev/null; rm -rf "$scratch"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

if ! "$cpack" --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1; then
  cat "$scratch/cpack.log" >&2
  fail "cpack could not make the package"
fi
packages=("$scratch"/out/*.deb)
((${#packages[@]} == 1)) && [[ -f ${packages[0]} ]] || fail "expected one package, got: ${packages[*]}"
package=${packages[0]}

# Qt Widgets is in the Depends line only if it was read from the program's binary.
depends=$(dpkg-deb --field "$package" Depends)
[[ $depends == *libqt6widgets6* ]] || fail "Depends was not computed from the program: '$depends'"
[[ $depends == *qt6-translations-l10n* ]] || fail "Depends lacks Qt's Italian texts: '$depends'"
# dpkg-checkbuilddeps tests a dependency line against the installed packages of the
# package's architecture, as dpkg -i would.
architecture=$(dpkg-deb --field "$package" Architecture)
dpkg-checkbuilddeps -a "$architecture" -d "$depends" /dev/null ||
  fail "this machine does not satisfy, for $architecture: $depends"

# lintian checks the package as Debian would before taking it: no error and no warning,
# but for the one a maintainer address in the reserved "invalid" domain (the placeholder
# the build has when nobody set a real one) earns in the control file and in the
# changelog signed with it.
command -v lintian >/dev/null || fail "lintian is missing: ./scripts/setup.sh test installs it"
lintian --fail-on none "$package" >"$scratch/lintian.log" 2>&1 || {
  cat "$scratch/lintian.log" >&2
  fail "lintian could not check the package"
}
excused='^$'
if [[ $(dpkg-deb --field "$package" Maintainer) =~ [@.]invalid\>$ ]]; then
  excused=': bogus-mail-host(-in-debian-changelog)? '
fi
complaints=$(grep -E '^[EW]: ' "$scratch/lintian.log" | grep -Ev -- "$excused" || true)
[[ -z $complaints ]] || fail "lintian: $complaints"

root=$scratch/root
dpkg -x "$package" "$root"
entry=$root/usr/share/applications/filtro-dft.desktop
[[ -f $entry ]] || fail "no desktop entry in the package"
# Errors make the validator fail; warnings and hints only print, and are not accepted either.
validation=$(desktop-file-validate "$entry" 2>&1) || fail "desktop-file-validate: $validation"
[[ -z $validation ]] || fail "desktop-file-validate: $validation"

# The tree's metainfo as a software centre reads it, with the desktop entry it names;
# --strict fails on anything worse than a pedantic remark, and on a tree with no metainfo.
command -v appstreamcli >/dev/null || fail "appstreamcli is missing: ./scripts/setup.sh test installs it"
validation=$(appstreamcli validate-tree --no-net --strict --explain "$root" 2>&1) ||
  fail "appstreamcli validate-tree: $validation"

# CPack installs into the package with the project's install rules, so `cmake --install`
# must give the same files.
prefix=$scratch/prefix
"$cmake" --install "$build" --prefix "$prefix" >/dev/null
differences=$(diff <(cd "$root/usr" && find . ! -type d | sort) <(cd "$prefix" && find . ! -type d | sort)) ||
  fail "the package (<) and cmake --install (>) hold different files: $differences"

program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
[[ -x $root/usr/bin/$program ]] || fail "the entry starts '$program', which is not in /usr/bin"
icon=$(sed -n 's/^Icon=//p' "$entry")
for size in 16 32 48; do
  png=$root/usr/share/icons/hicolor/${size}x${size}/apps/$icon.png
  [[ -f $png ]] || fail "no ${size}x${size} icon '$icon'"
  # A PNG states its width and height as big-endian 32-bit numbers from byte 16 on.
  read -r width height < <(od -An -j16 -N8 --endian=big -tu4 "$png")
  [[ $width == "$size" && $height == "$size" ]] || fail "$png is ${width}x${height}"
done
[[ -s $root/usr/share/icons/hicolor/scalable/apps/$icon.svg ]] || fail "no scalable icon '$icon'"

# Qt's painting log names every top-level window whose picture reaches the screen; the
# parameter window (object name Form1) is flushed only once it is shown and painted.
log=$scratch/program.log
QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES='qt.widgets.painting=true' \
  "${emulator[@]}" "$root/usr/bin/$program" >"$log" 2>&1 &
program_pid=$!
shown='Flushing QRegion(.*) of Form1('
# Two minutes: a bound for a program that never shows it, under the emulator on a busy machine.
for ((tick = 0; tick < 600; ++tick)); do
  if grep -q "$shown" "$log" || ! kill -0 "$program_pid" 2>/dev/null; then
    break
  fi
  sleep 0.2
done
grep -q "$shown" "$log" || { tail -n 20 "$log" >&2; fail "the parameter window was never shown"; }
sleep 1
kill -0 "$program_pid" 2>/dev/null || { tail -n 20 "$log" >&2; fail "the program ended by itself"; }
kill "$program_pid"
wait "$program_pid" || true
program_pid=
echo "The package's program started and showed its parameter window: $package"
