# SPDX-License-Identifier: GPL-3.0-or-later
# The installed documents (manual pages, AppStream data, licence, changelog) and the Debian package:
# `cpack -G DEB` in a build folder. scripts/build-package.sh builds it with Debian's flags, scripts/lint-package.sh
# checks it with lintian, scripts/test-package.sh tries it in a clean Debian root.
include(${CMAKE_CURRENT_LIST_DIR}/changes.cmake)
find_program(FENWYX_GZIP gzip REQUIRED)
set(package_files ${CMAKE_BINARY_DIR}/package)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/CHANGES)

# The packager, as Debian's tools find them: DEBFULLNAME and DEBEMAIL (which may hold "Name <address>"), else
# git's user.name and user.email, else the author of the commit built (a fresh checkout has one even where git
# knows no user). The package names a person who made it, never an invented address.
unset(FENWYX_PACKAGE_MAINTAINER CACHE) # the old setting, whose default was an address of nobody's
set(FENWYX_PACKAGER "" CACHE STRING "Maintainer field of the Debian package, \"Name <address>\" (default: found)")
set(maintainer "${FENWYX_PACKAGER}")
if(NOT maintainer)
    set(packager_name "$ENV{DEBFULLNAME}")
    set(packager_email "$ENV{DEBEMAIL}")
    if(packager_email MATCHES "^(.*[^ ]) *<([^>]+)>$")
        if(NOT packager_name)
            set(packager_name "${CMAKE_MATCH_1}")
        endif()
        set(packager_email "${CMAKE_MATCH_2}")
    endif()
    find_package(Git QUIET)
    foreach(field name email)
        if(NOT packager_${field} AND GIT_FOUND)
            execute_process(COMMAND ${GIT_EXECUTABLE} config user.${field} WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
                            OUTPUT_VARIABLE packager_${field} OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
        endif()
    endforeach()
    if(GIT_FOUND AND NOT (packager_name AND packager_email))
        execute_process(COMMAND ${GIT_EXECUTABLE} log -1 --format=%an WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
                        OUTPUT_VARIABLE packager_name OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
        execute_process(COMMAND ${GIT_EXECUTABLE} log -1 --format=%ae WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
                        OUTPUT_VARIABLE packager_email OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    endif()
    if(packager_name AND packager_email)
        set(maintainer "${packager_name} <${packager_email}>")
    endif()
endif()

# Releases and changelog from CHANGES; the manual pages carry the newest release and its date.
fenwyx_read_changes(${CMAKE_SOURCE_DIR}/CHANGES fenwyx "${maintainer}" debian_changelog metainfo_releases
                    newest_release)
if(NOT newest_release STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "CHANGES has no entry for release ${PROJECT_VERSION} at its top (it has ${newest_release})")
endif()
file(STRINGS ${CMAKE_SOURCE_DIR}/CHANGES release_line REGEX "^Fenwyx ${PROJECT_VERSION} " LIMIT_COUNT 1)
string(REGEX REPLACE ".*\\((.*)\\)$" "\\1" FENWYX_RELEASE_DATE "${release_line}")

# The manual pages: man/NAME.1.in for each program a user runs, with the release filled in.
foreach(program IN LISTS FENWYX_USER_PROGRAMS)
    set(page ${CMAKE_SOURCE_DIR}/man/${program}.1.in)
    if(NOT EXISTS ${page})
        message(FATAL_ERROR "${program} has no manual page: write man/${program}.1.in")
    endif()
    configure_file(${page} ${package_files}/man/${program}.1 @ONLY)
    execute_process(COMMAND ${FENWYX_GZIP} -9n -c INPUT_FILE ${package_files}/man/${program}.1
                    OUTPUT_FILE ${package_files}/man/${program}.1.gz COMMAND_ERROR_IS_FATAL ANY)
    install(FILES ${package_files}/man/${program}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

# AppStream. Its validator takes screenshots only at web addresses, so they are listed once the project's
# screenshots have one; until then they ship in share/fenwyx/screenshots for whoever publishes them.
set(FENWYX_SCREENSHOT_URL "" CACHE STRING
    "Web address of the folder that holds resources/screenshots/*.png, for the AppStream data (empty: none listed)")
set(fenwyx_screenshots
    "main-window.png|The main window: a query's photos, the query pane and a photo's data sheet"
    "compare-assistant.png|Compare mode: two photos side by side, with the Assistant setting them against each other"
    "photo-report.png|A printed photo report: the picture, the data sheet and the loading graph")
function(fenwyx_metainfo output screenshot_url)
    set(FENWYX_METAINFO_SCREENSHOTS "")
    if(screenshot_url)
        string(REGEX REPLACE "/+$" "" base "${screenshot_url}")
        string(APPEND base "/")
        set(kind "default")
        string(APPEND FENWYX_METAINFO_SCREENSHOTS "  <screenshots>\n")
        foreach(entry IN LISTS fenwyx_screenshots)
            string(REPLACE "|" ";" parts "${entry}")
            list(GET parts 0 file)
            list(GET parts 1 caption)
            string(APPEND FENWYX_METAINFO_SCREENSHOTS "    <screenshot type=\"${kind}\">\n"
                "      <caption>${caption}</caption>\n      <image type=\"source\">${base}${file}</image>\n"
                "    </screenshot>\n")
            set(kind "extra")
        endforeach()
        string(APPEND FENWYX_METAINFO_SCREENSHOTS "  </screenshots>\n")
    endif()
    set(FENWYX_METAINFO_RELEASES "${metainfo_releases}")
    configure_file(${CMAKE_SOURCE_DIR}/resources/org.fenwyx.Fenwyx.metainfo.xml.in ${output} @ONLY)
endfunction()
fenwyx_metainfo(${package_files}/org.fenwyx.Fenwyx.metainfo.xml "${FENWYX_SCREENSHOT_URL}")
# The form with screenshots, for the tests' validation, at an address that can never be fetched.
fenwyx_metainfo(${package_files}/with-screenshots/org.fenwyx.Fenwyx.metainfo.xml "https://fenwyx.invalid/shots")
install(FILES ${package_files}/org.fenwyx.Fenwyx.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/screenshots/ DESTINATION ${CMAKE_INSTALL_DATADIR}/fenwyx/screenshots
        FILES_MATCHING PATTERN "*.png")

# Debian's documents: the licence in Debian's machine-readable form, the changelog, the README.
set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/fenwyx)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright DESTINATION ${doc_dir})
execute_process(COMMAND ${FENWYX_GZIP} -9n -c INPUT_FILE ${CMAKE_SOURCE_DIR}/README.md
                OUTPUT_FILE ${package_files}/README.md.gz COMMAND_ERROR_IS_FATAL ANY)
install(FILES ${package_files}/README.md.gz DESTINATION ${doc_dir})
if(debian_changelog)
    file(WRITE ${package_files}/changelog "${debian_changelog}")
    execute_process(COMMAND ${FENWYX_GZIP} -9n -c INPUT_FILE ${package_files}/changelog
                    OUTPUT_FILE ${package_files}/changelog.gz COMMAND_ERROR_IS_FATAL ANY)
    install(FILES ${package_files}/changelog.gz DESTINATION ${doc_dir})
else()
    message(STATUS "No packager identity (DEBFULLNAME and DEBEMAIL, or git's user.name and user.email): "
                   "the Debian package cannot be made in this build folder")
endif()
install(FILES ${CMAKE_SOURCE_DIR}/packaging/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME fenwyx)

set(CPACK_PACKAGE_NAME fenwyx)
set(CPACK_PACKAGE_VENDOR "The Fenwyx developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "search, view, compare and print wildland-fuel photo series")
# Paragraphs wrapped below 80 columns and parted by empty lines, which CPack turns into Debian's " .".
file(READ ${CMAKE_SOURCE_DIR}/packaging/description.txt CPACK_PACKAGE_DESCRIPTION)
string(REGEX REPLACE "^(#[^\n]*\n)+" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/packaging/description.txt)
if(maintainer)
    set(CPACK_PACKAGE_CONTACT "${maintainer}")
endif()
set(CPACK_GENERATOR DEB)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                                WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The libraries the programs link, found by dpkg-shlibdeps; then what is loaded or used without linking:
# the fonts the reports are laid out in, and Qt's TIFF reader for the photo series' pictures.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, qt6-image-formats-plugins")
# The desktop reads the fuel-profile type and the desktop entry through these; dpkg triggers update them.
# qt6-wayland lets the windows run natively on a Wayland desktop instead of through XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, shared-mime-info, desktop-file-utils, hicolor-icon-theme")

include(CPack)
