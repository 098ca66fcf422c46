# SPDX-License-Identifier: GPL-3.0-or-later
# Run at install time after the programs are installed: a stripped install (cmake --install --strip, the package)
# also removes the .comment and .note sections that name the compiler, as Debian's dh_strip does.
if(CMAKE_INSTALL_DO_STRIP)
    foreach(program IN LISTS FENWYX_STRIPPED)
        set(file "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${program}")
        execute_process(COMMAND "${FENWYX_OBJCOPY}" --remove-section=.comment --remove-section=.note "${file}"
                        COMMAND_ERROR_IS_FATAL ANY)
    endforeach()
endif()
