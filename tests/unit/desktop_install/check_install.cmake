cmake_minimum_required(VERSION 3.25)
# Installs the desktop and program components into a scratch prefix and
# checks what landed there.
file(REMOVE_RECURSE "${PREFIX}")
foreach(component desktop program)
    execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${PREFIX}" --component ${component}
                    RESULT_VARIABLE result OUTPUT_QUIET)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "installing ${component} failed: ${result}")
    endif()
endforeach()
set(desktop "${PREFIX}/share/applications/orvane-burn.desktop")
foreach(path "${desktop}" "${PREFIX}/share/icons/hicolor/48x48/apps/orvane-burn.png"
             "${PREFIX}/share/icons/hicolor/512x512/apps/orvane-burn.png"
             "${PREFIX}/${PROGRAM_DIR}/english.lng" "${PREFIX}/${PROGRAM_DIR}/deutsch.lng"
             "${PREFIX}/${PROGRAM_DIR}/english.chm" "${PREFIX}/${PROGRAM_DIR}/deutsch.chm"
             "${PREFIX}/${PROGRAM_DIR}/orvane-burn" "${PREFIX}/${PROGRAM_DIR}/NeroAPI.so"
             "${PREFIX}/${PROGRAM_DIR}/registry.ini" "${PREFIX}/${PROGRAM_DIR}/virtual-recorders.conf"
             "${PREFIX}/share/metainfo/org.example.orvane_burn.metainfo.xml")
    if(NOT EXISTS "${path}")
        message(FATAL_ERROR "not installed: ${path}")
    endif()
endforeach()
file(STRINGS "${desktop}" lines)
foreach(expected "Type=Application" "Name=Orvane Burn" "Icon=orvane-burn" "Categories=AudioVideo;DiscBurning;"
                 "MimeType=application/x-iso9660-image;application/x-cd-image;")
    if(NOT expected IN_LIST lines)
        message(FATAL_ERROR "desktop entry lacks ${expected}")
    endif()
endforeach()
# The entry starts the executable in the program folder (the path is fixed
# at configure time for the configured prefix), with the one file "Open
# with" hands it.
list(FILTER lines INCLUDE REGEX "^Exec=.*/${PROGRAM_DIR}/orvane-burn %f$")
if(NOT lines)
    message(FATAL_ERROR "desktop entry does not start the program folder's executable")
endif()
file(READ "${PREFIX}/${PROGRAM_DIR}/english.chm" head LIMIT 4 HEX)
if(NOT head STREQUAL "49545346")   # "ITSF"
    message(FATAL_ERROR "english.chm is not a compiled help file")
endif()
# The command on the PATH is a link into the program folder, so the program
# still finds its folder's files.
file(READ_SYMLINK "${PREFIX}/bin/orvane-burn" link)
get_filename_component(resolved "${link}" ABSOLUTE BASE_DIR "${PREFIX}/bin")
if(NOT resolved STREQUAL "${PREFIX}/${PROGRAM_DIR}/orvane-burn")
    message(FATAL_ERROR "bin/orvane-burn links to ${link}, not the program folder's executable")
endif()
