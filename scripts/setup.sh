#!/usr/bin/env bash
# Installs what the build needs from Debian's packages, builds, and then starts the
# program ("run"), runs every test ("test") or makes the Debian package ("package").
set -euo pipefail

mode=${1:-}
case "$mode" in
  run | test | package) ;;
  *) echo "usage: $0 run|test|package" >&2; exit 2 ;;
esac

cd "$(dirname "$0")/.."

packages=(cmake g++ ninja-build qt6-base-dev qt6-svg-dev fonts-liberation libsleef-dev
          libgtest-dev libgmock-dev libbenchmark-dev dpkg-dev desktop-file-utils)
# The fuzzer is built by clang, whose libFuzzer, sanitizer and OpenMP runtimes come
# separately.
if [[ $mode == test ]]; then
  packages+=(clang libclang-rt-14-dev libomp-dev)
  # The window tests that need a real X server start their own, with a window manager.
  packages+=(xvfb openbox x11-utils)
fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

if ((${#missing[@]})); then
  as_root=()
  if ((EUID != 0)); then as_root=(sudo); fi
  echo "Installing: ${missing[*]}"
  "${as_root[@]}" apt-get update -q
  DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

cmake --preset default
cmake --build --preset default

if [[ $mode == test ]]; then
  # The benchmarks are not run here, only kept building.
  cmake --preset bench
  cmake --build --preset bench
  ctest --preset default
  # Then the same tests under AddressSanitizer and UndefinedBehaviorSanitizer, after a
  # minute of fuzzing the run request.
  cmake --preset sanitize
  cmake --build --preset sanitize
  ./scripts/fuzz.sh 60
  ctest --preset sanitize
elif [[ $mode == package ]]; then
  cpack --preset default
else
  if [[ -z ${DISPLAY:-}${WAYLAND_DISPLAY:-} ]]; then
    echo "Built build/app/filtro-dft, but there is no display to open its windows on." >&2
    exit 1
  fi
  exec ./build/app/filtro-dft
fi
