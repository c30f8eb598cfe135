# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package (cpack -G DEB; scripts/build-deb.sh builds it whole).
# Included from the top-level list so that CPack sees the whole project.

# The world navigation database the package ships, imported from the
# navigation source data by this build's own importer. Each user's first
# start copies it into their data directory (app/meridane-launch.in).
option(MERIDANE_PACKAGE_DATABASE "Import VORS.MDB from MERIDANE_NAVDATA_DIR and install it" OFF)
if(MERIDANE_PACKAGE_DATABASE)
  get_filename_component(navdata "${MERIDANE_NAVDATA_DIR}" ABSOLUTE)
  file(GLOB sources "${navdata}/ourairports/*.csv" "${navdata}/ourairports/*.csv.gz")
  if(NOT sources)
    message(FATAL_ERROR "No OurAirports CSV files in ${navdata}/ourairports (MERIDANE_NAVDATA_DIR)")
  endif()
  set(ils)
  if(EXISTS "${navdata}/xplane/nav.dat.gz")
    set(ils --xplane-nav "${navdata}/xplane/nav.dat.gz")
    list(APPEND sources "${navdata}/xplane/nav.dat.gz")
  endif()
  set(database "${CMAKE_BINARY_DIR}/package/VORS.MDB")
  add_custom_command(OUTPUT "${database}"
    COMMAND "${CMAKE_COMMAND}" -E make_directory "${CMAKE_BINARY_DIR}/package"
    COMMAND meridane-navdb --ourairports "${navdata}/ourairports" ${ils} --output "${database}"
    DEPENDS meridane-navdb ${sources}
    COMMENT "Importing the world navigation database for the package"
    VERBATIM)
  add_custom_target(meridane_package_database ALL DEPENDS "${database}")
  install(FILES "${database}" DESTINATION "${CMAKE_INSTALL_DATADIR}/meridane")
endif()

install(FILES "${CMAKE_CURRENT_LIST_DIR}/copyright" DESTINATION "${CMAKE_INSTALL_DATADIR}/doc/meridane")

include("${CMAKE_CURRENT_LIST_DIR}/ManPages.cmake")

set(MERIDANE_PACKAGE_MAINTAINER "Meridane maintainers <maintainers@users.noreply.c-seed-bff4c604.example>"
    CACHE STRING "Maintainer field of the Debian package")

# The package's changelog is written by hand in packaging/changelog; its
# newest entry must name the version being packaged.
set(MERIDANE_DEBIAN_REVISION 1)
file(STRINGS "${CMAKE_CURRENT_LIST_DIR}/changelog" changelog_head LIMIT_COUNT 1)
if(NOT changelog_head MATCHES "^meridane \\(${PROJECT_VERSION}-${MERIDANE_DEBIAN_REVISION}\\) ")
  message(FATAL_ERROR "packaging/changelog begins with \"${changelog_head}\": "
                      "its newest entry must be for ${PROJECT_VERSION}-${MERIDANE_DEBIAN_REVISION}")
endif()
set(changelog_gz "${CMAKE_BINARY_DIR}/packaging/changelog.Debian.gz")
add_custom_command(OUTPUT "${changelog_gz}"
  COMMAND "${CMAKE_COMMAND}" -E make_directory "${CMAKE_BINARY_DIR}/packaging"
  COMMAND "${CMAKE_COMMAND}" -E copy "${CMAKE_CURRENT_LIST_DIR}/changelog" "${CMAKE_BINARY_DIR}/packaging/changelog.Debian"
  COMMAND "${GZIP}" -9 -n -f "${CMAKE_BINARY_DIR}/packaging/changelog.Debian"
  DEPENDS "${CMAKE_CURRENT_LIST_DIR}/changelog"
  VERBATIM)
add_custom_target(meridane_changelog ALL DEPENDS "${changelog_gz}")
install(FILES "${changelog_gz}" DESTINATION "${CMAKE_INSTALL_DATADIR}/doc/meridane")
install(FILES "${CMAKE_CURRENT_LIST_DIR}/lintian-overrides" DESTINATION "${CMAKE_INSTALL_DATADIR}/lintian/overrides"
        RENAME meridane)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME meridane)
set(CPACK_PACKAGE_VENDOR "The Meridane developers")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
# Lines as the control file wants them, at most 80 characters.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Meridane is a desktop tool for flight simulator pilots. Pick a departure\n"
  "and a destination airport of a world navigation database by region,\n"
  "country, state and city; see each airport's position, elevation, ATIS\n"
  "frequency and runways; let Meridane chain VOR beacons from one to the\n"
  "other; and write the plan as an 80-column text report.\n"
  "\n"
  "The package carries the database, imported from OurAirports and X-Plane\n"
  "navigation data, the command-line planner meridane-plan and the importer\n"
  "meridane-navdb, which rebuilds the database from a fresh OurAirports\n"
  "download.")
set(CPACK_PACKAGING_INSTALL_PREFIX "${CMAKE_INSTALL_PREFIX}")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${MERIDANE_DEBIAN_REVISION})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${MERIDANE_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${PROJECT_HOMEPAGE_URL}")
# The libraries the programs link come from dpkg-shlibdeps. The ODBC driver is
# loaded by the driver manager at run time, out of the scan's sight, and the
# report is opened with xdg-open: both are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libsqliteodbc, unixodbc, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
