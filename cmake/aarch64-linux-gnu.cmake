# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-building for 64-bit ARM Linux (Debian's arm64, Raspberry Pi OS) on a Debian PC
# with Debian's cross compiler (crossbuild-essential-arm64) and the arm64 libraries
# installed beside the PC's own (dpkg --add-architecture arm64). The arm64 programs,
# the build-time icon tool, test discovery and the tests themselves, run on the PC
# through qemu-user.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)

set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
# Debian's multiarch layout: the arm64 libraries and their CMake packages are in
# /usr/lib/aarch64-linux-gnu, beside the PC's.
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)

# Programs are the PC's: Qt's moc and uic serve every architecture.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/aarch64-linux-gnu/pkgconfig:/usr/share/pkgconfig)

find_program(FILTRO_QEMU_AARCH64 qemu-aarch64 REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${FILTRO_QEMU_AARCH64})
