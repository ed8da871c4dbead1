# SPDX-License-Identifier: GPL-3.0-or-later
# The floors run one way, core <- plot <- ui <- app: fails when a file of a floor
# includes a header of a floor above it, or when core or plot includes a Qt header.
# Run with -D SOURCE_DIR=<the project's folder>.
set(above_core "plot/|ui/|app/|Q[A-Za-z]")
set(above_plot "ui/|app/|Q[A-Za-z]")
set(above_ui "app/")
set(offences "")
foreach(floor core plot ui)
  file(GLOB files "${SOURCE_DIR}/${floor}/*.h" "${SOURCE_DIR}/${floor}/*.cpp")
  foreach(file IN LISTS files)
    file(STRINGS "${file}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<](${above_${floor}})")
    foreach(include IN LISTS includes)
      string(APPEND offences "\n  ${file}: ${include}")
    endforeach()
  endforeach()
endforeach()
if(offences)
  message(FATAL_ERROR "a floor includes one above it:${offences}")
endif()
