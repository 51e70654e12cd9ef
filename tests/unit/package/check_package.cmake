cmake_minimum_required(VERSION 3.25)
# Makes the package with CPack into a scratch folder and compares what
# dpkg-deb reads from it with the expected lists:
#   expected-contents.txt  "<mode> <path>" or "<mode> <path> -> <link target>",
#                          one per line; a line starting with "?" may be absent
#   expected-depends.txt   the package names Depends must list, one per line
#                          (versions are whatever the build machine has)
# and has LINTIAN look at it.
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
execute_process(COMMAND cpack --config "${BUILD_DIR}/CPackConfig.cmake" -B "${WORK_DIR}"
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
file(GLOB packages "${WORK_DIR}/orvane-burn_*.deb")
list(LENGTH packages count)
if(NOT result EQUAL 0 OR NOT count EQUAL 1)
    message(FATAL_ERROR "cpack made ${count} packages (${result}):\n${output}")
endif()
get_filename_component(name "${packages}" NAME)
if(NOT name MATCHES "^orvane-burn_[0-9]+\\.[0-9]+\\.[0-9]+_[a-z0-9]+\\.deb$")
    message(FATAL_ERROR "package file name ${name} is not orvane-burn_<version>_<arch>.deb")
endif()

# dpkg-deb lists "mode owner/group size date time ./path[ -> target]".
execute_process(COMMAND dpkg-deb --contents "${packages}" OUTPUT_VARIABLE listing RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "dpkg-deb --contents failed")
endif()
string(REPLACE "\n" ";" listing "${listing}")
set(actual "")
foreach(line IN LISTS listing)
    if(line MATCHES "^([^ ]+) +([^ ]+) +[0-9]+ +[^ ]+ +[^ ]+ +\\./(.*)$")
        if(NOT CMAKE_MATCH_2 STREQUAL "root/root")
            message(FATAL_ERROR "${CMAKE_MATCH_3} belongs to ${CMAKE_MATCH_2}, not root/root")
        endif()
        if(NOT CMAKE_MATCH_3 STREQUAL "")
            list(APPEND actual "${CMAKE_MATCH_1} /${CMAKE_MATCH_3}")
        endif()
    endif()
endforeach()

file(STRINGS "${EXPECTED_CONTENTS}" expected_lines)
set(expected "")
set(optional "")
foreach(line IN LISTS expected_lines)
    if(line MATCHES "^#" OR line STREQUAL "")
        continue()
    elseif(line MATCHES "^\\?(.*)$")
        list(APPEND optional "${CMAKE_MATCH_1}")
    else()
        list(APPEND expected "${line}")
    endif()
endforeach()
set(missing "${expected}")
list(REMOVE_ITEM missing ${actual})
set(extra "${actual}")
list(REMOVE_ITEM extra ${expected} ${optional})
if(missing OR extra)
    list(JOIN missing "\n  " missing)
    list(JOIN extra "\n  " extra)
    message(FATAL_ERROR "package contents differ from ${EXPECTED_CONTENTS}\n"
                        "missing:\n  ${missing}\nnot expected:\n  ${extra}")
endif()

# Depends: the libraries' packages and nothing a build needs.
execute_process(COMMAND dpkg-deb --field "${packages}" Depends OUTPUT_VARIABLE depends
                OUTPUT_STRIP_TRAILING_WHITESPACE)
string(REGEX REPLACE " *\\([^)]*\\)" "" names "${depends}")
string(REGEX REPLACE " *, *" ";" names "${names}")
list(SORT names)
file(STRINGS "${EXPECTED_DEPENDS}" wanted REGEX "^[^#]")
list(SORT wanted)
if(NOT names STREQUAL wanted)
    message(FATAL_ERROR "Depends is \"${depends}\"; expected the packages of ${EXPECTED_DEPENDS}")
endif()

# The menu entry inside the package starts the installed executable.
execute_process(COMMAND dpkg-deb --fsys-tarfile "${packages}" OUTPUT_FILE "${WORK_DIR}/data.tar")
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf data.tar ./usr/share/applications/orvane-burn.desktop
                WORKING_DIRECTORY "${WORK_DIR}" RESULT_VARIABLE result)
file(STRINGS "${WORK_DIR}/usr/share/applications/orvane-burn.desktop" exec REGEX "^Exec=")
if(NOT exec STREQUAL "Exec=/usr/lib/orvane-burn/orvane-burn %f")
    message(FATAL_ERROR "the packaged menu entry says ${exec}")
endif()
# lintian finds no error and no warning but the one the README explains:
# CPack calls ldconfig for any library under /usr/lib, even a private one.
execute_process(COMMAND "${LINTIAN}" --fail-on error,warning --suppress-tags maintscript-calls-ldconfig
                        "${packages}"
                RESULT_VARIABLE result OUTPUT_VARIABLE tags ERROR_VARIABLE tags)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "lintian on ${name}:\n${tags}")
endif()
message(STATUS "${name}: contents and Depends as expected; Depends: ${depends}")
