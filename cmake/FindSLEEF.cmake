# SPDX-License-Identifier: GPL-3.0-or-later
# Finds SLEEF, the vectorised maths library, and defines the imported target
# SLEEF::sleef with its header directory and library.
#
# pkg-config's answer, where there is one, is taken as a hint: Debian installs sleef.h
# under the multiarch include directory, which its sleef.pc does not name.

find_package(PkgConfig QUIET)
if(PkgConfig_FOUND)
  pkg_check_modules(PC_SLEEF QUIET sleef)
endif()

find_path(SLEEF_INCLUDE_DIR sleef.h HINTS ${PC_SLEEF_INCLUDE_DIRS})
find_library(SLEEF_LIBRARY sleef HINTS ${PC_SLEEF_LIBRARY_DIRS})
if(SLEEF_INCLUDE_DIR)
  file(STRINGS "${SLEEF_INCLUDE_DIR}/sleef.h" _sleef_version_lines
       REGEX "^#define SLEEF_VERSION_(MAJOR|MINOR|PATCHLEVEL) [0-9]+$")
  foreach(_part MAJOR MINOR PATCHLEVEL)
    string(REGEX REPLACE ".*#define SLEEF_VERSION_${_part} ([0-9]+).*" "\\1"
           _sleef_${_part} "${_sleef_version_lines}")
  endforeach()
  set(SLEEF_VERSION "${_sleef_MAJOR}.${_sleef_MINOR}.${_sleef_PATCHLEVEL}")
endif()

include(FindPackageHandleStandardArgs)
find_package_handle_standard_args(SLEEF
  REQUIRED_VARS SLEEF_LIBRARY SLEEF_INCLUDE_DIR
  VERSION_VAR SLEEF_VERSION)
mark_as_advanced(SLEEF_INCLUDE_DIR SLEEF_LIBRARY)

if(SLEEF_FOUND AND NOT TARGET SLEEF::sleef)
  add_library(SLEEF::sleef UNKNOWN IMPORTED)
  set_target_properties(SLEEF::sleef PROPERTIES
    IMPORTED_LOCATION "${SLEEF_LIBRARY}"
    INTERFACE_INCLUDE_DIRECTORIES "${SLEEF_INCLUDE_DIR}")
endif()
