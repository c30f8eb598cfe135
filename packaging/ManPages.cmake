# SPDX-License-Identifier: GPL-3.0-or-later
# Manual pages, installed gzipped under share/man/man1. The desktop program's
# and the launcher's are written by hand; the planner's and the importer's are
# made by help2man from the built programs' own --help, so they follow the
# options as they change, with the sections --help does not hold (exit
# statuses, files, environment) added from man/<program>.h2m.
find_program(HELP2MAN help2man)
find_program(GZIP gzip)

set(MERIDANE_MAN_DIR "${CMAKE_BINARY_DIR}/man")
file(MAKE_DIRECTORY "${MERIDANE_MAN_DIR}")
set(man_pages)

# Compressed as Debian wants manual pages: best compression, no name or time
# stamp inside, so that a rebuild gives the same bytes.
function(meridane_gzip_man page)
  add_custom_command(OUTPUT "${page}.gz"
    COMMAND "${GZIP}" -9 -n -k -f "${page}"
    DEPENDS "${page}"
    VERBATIM)
endfunction()

foreach(program meridane meridane-launch)
  configure_file("${CMAKE_CURRENT_LIST_DIR}/man/${program}.1.in" "${MERIDANE_MAN_DIR}/${program}.1" @ONLY)
  meridane_gzip_man("${MERIDANE_MAN_DIR}/${program}.1")
  list(APPEND man_pages "${MERIDANE_MAN_DIR}/${program}.1.gz")
endforeach()

if(HELP2MAN)
  foreach(program meridane-plan meridane-navdb)
    set(include "${CMAKE_CURRENT_LIST_DIR}/man/${program}.h2m")
    add_custom_command(OUTPUT "${MERIDANE_MAN_DIR}/${program}.1"
      # A sanitized build's leak report at exit must not fail the page.
      COMMAND "${CMAKE_COMMAND}" -E env ASAN_OPTIONS=detect_leaks=0
              "${HELP2MAN}" --no-info --section=1 --version-string=${PROJECT_VERSION}
              "--include=${include}" "--output=${MERIDANE_MAN_DIR}/${program}.1"
              "$<TARGET_FILE:${program}>"
      DEPENDS ${program} "${include}"
      COMMENT "Writing the manual page of ${program}"
      VERBATIM)
    meridane_gzip_man("${MERIDANE_MAN_DIR}/${program}.1")
    list(APPEND man_pages "${MERIDANE_MAN_DIR}/${program}.1.gz")
  endforeach()
else()
  message(STATUS "help2man not found (package help2man): no manual pages for meridane-plan and meridane-navdb")
endif()

add_custom_target(meridane_man_pages ALL DEPENDS ${man_pages})
install(FILES ${man_pages} DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
