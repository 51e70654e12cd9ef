# Shared compile settings and helpers for the project's targets.

add_library(orvane_warnings INTERFACE)
target_compile_options(orvane_warnings INTERFACE
    $<$<COMPILE_LANGUAGE:CXX,C>:-Wall -Wextra -Wpedantic>)

# For every target, tests, tools and benchmarks too: an inner name that hides
# an outer one (a member, a parameter, a variable of the enclosing block) is
# renamed rather than left to be misread.
add_compile_options($<$<COMPILE_LANGUAGE:CXX,C>:-Wshadow>)

if(ORVANE_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()
if(ORVANE_SANITIZE_THREAD)
    add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
    add_link_options(-fsanitize=thread)
endif()

# orvane_add_library(<name> SOURCES ... [DEPS ...] [QT])
# One static library per source folder; the executable and the tests link it.
function(orvane_add_library name)
    cmake_parse_arguments(ARG "QT" "" "SOURCES;DEPS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC "${PROJECT_SOURCE_DIR}/src")
    target_link_libraries(${name} PUBLIC ${ARG_DEPS} PRIVATE orvane_warnings)
    if(ARG_QT)
        # Dialog templates (.ui) live in res/.
        set_target_properties(${name} PROPERTIES AUTOMOC ON AUTOUIC ON AUTORCC ON
            AUTOUIC_SEARCH_PATHS "${PROJECT_SOURCE_DIR}/res")
    endif()
endfunction()

# orvane_add_gtest(<name> LABEL <label> SOURCES ... [LIBS ...] [TIMEOUT s] [GUI])
# A GoogleTest executable whose tests CTest discovers before each run. The
# shared test main isolates HOME, XDG_* and the system bus for every test.
function(orvane_add_gtest name)
    cmake_parse_arguments(ARG "GUI" "LABEL;TIMEOUT" "SOURCES;LIBS" ${ARGN})
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 120)
    endif()
    add_executable(${name} ${ARG_SOURCES})
    set_target_properties(${name} PROPERTIES
        RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/tests-bin"
        AUTOMOC ON)
    target_link_libraries(${name} PRIVATE orvane_test_main ${ARG_LIBS} orvane_warnings)
    gtest_discover_tests(${name}
        DISCOVERY_MODE PRE_TEST
        DISCOVERY_TIMEOUT 60
        PROPERTIES
            LABELS ${ARG_LABEL}
            TIMEOUT ${ARG_TIMEOUT}
            # One variable only: the discovery script flattens a list here.
            # The test main points HOME, XDG_* and both buses into the test's
            # own folder itself.
            ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# Adds every immediate subfolder of the current folder that has a CMakeLists.txt.
function(orvane_add_subfolders)
    file(GLOB children LIST_DIRECTORIES true CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*")
    list(SORT children)
    foreach(child IN LISTS children)
        if(IS_DIRECTORY "${child}" AND EXISTS "${child}/CMakeLists.txt")
            add_subdirectory("${child}")
        endif()
    endforeach()
endfunction()
