# SPDX-License-Identifier: GPL-3.0-or-later
# The help: the support page's host, the manual copied beside the program and installed in the shared folder, and the
# program that renders the manual's pictures of the windows.

set(FENWYX_SUPPORT_HOST "" CACHE STRING
    "Web server of the support page, e.g. https://support.example.org (the page is HOST/brackel/brackelsupport.htm); empty: the copy shipped in the program's help folder")
set_property(SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/help/webpage.cpp APPEND PROPERTY
    COMPILE_DEFINITIONS FENWYX_SUPPORT_HOST="${FENWYX_SUPPORT_HOST}")

# The manual's sources live in help/ at the top of the tree; the program reads them from <program folder>/help.
set(help_source ${CMAKE_SOURCE_DIR}/help)
set(help_output ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/help)
file(GLOB_RECURSE help_files CONFIGURE_DEPENDS RELATIVE ${help_source} ${help_source}/*)
set(help_outputs)
foreach(file IN LISTS help_files)
    add_custom_command(OUTPUT ${help_output}/${file}
        COMMAND ${CMAKE_COMMAND} -E copy_if_different ${help_source}/${file} ${help_output}/${file}
        DEPENDS ${help_source}/${file}
        COMMENT "Copying help/${file}"
        VERBATIM)
    list(APPEND help_outputs ${help_output}/${file})
endforeach()
add_custom_target(help_files ALL DEPENDS ${help_outputs})
# Installed once for all users; each user's program folder gets its own copy (ProgramFolder).
install(DIRECTORY ${help_source}/ DESTINATION ${FENWYX_SHARED_DIR}/help)

# Renders the real windows offscreen on a sample library into the manual's pictures
# (scripts/make-help-pictures.sh runs it).
add_executable(fenwyx-shots app/fenwyx-shots.cpp ${CMAKE_SOURCE_DIR}/resources/fenwyx.qrc)
target_link_libraries(fenwyx-shots PRIVATE fenwyx_ui)
