# cmake -DINPUT=<text-ids.txt> -DOUTPUT=<TextIds.h> -P GenerateTextIds.cmake
#
# Turns the table of text ids ("<id> <signature> <Name>" per line) into a
# header of named constants. A malformed line stops the build here, where it
# can say which line, rather than as a compiler error in the generated file.
cmake_minimum_required(VERSION 3.25)
if(NOT INPUT OR NOT OUTPUT)
    message(FATAL_ERROR "GenerateTextIds.cmake needs INPUT and OUTPUT")
endif()

file(STRINGS "${INPUT}" lines)
set(body "")
set(seen_names "")
set(seen_ids "")
set(number 0)
foreach(line IN LISTS lines)
    math(EXPR number "${number} + 1")
    string(STRIP "${line}" line)
    if(line STREQUAL "" OR line MATCHES "^#")
        continue()
    endif()
    if(NOT line MATCHES "^([0-9]+) ([-a-z]+) ([A-Z][A-Za-z0-9]*)$")
        message(FATAL_ERROR "${INPUT}:${number}: expected \"<id> <signature> <Name>\": ${line}")
    endif()
    set(id "${CMAKE_MATCH_1}")
    set(signature "${CMAKE_MATCH_2}")
    set(name "${CMAKE_MATCH_3}")
    if(name IN_LIST seen_names)
        message(FATAL_ERROR "${INPUT}:${number}: the name ${name} is given twice")
    endif()
    if(id IN_LIST seen_ids)
        message(FATAL_ERROR "${INPUT}:${number}: the id ${id} is listed twice")
    endif()
    list(APPEND seen_names "${name}")
    list(APPEND seen_ids "${id}")
    if(signature STREQUAL "-")
        string(APPEND body "inline constexpr int ${name} = ${id};\n")
    else()
        string(APPEND body "inline constexpr int ${name} = ${id}; // formats: ${signature}\n")
    endif()
endforeach()

set(text "// Generated from lang/text-ids.txt by cmake/GenerateTextIds.cmake: edit the table, not this file.
#pragma once

// The ids of the language texts the program looks up, by name.
namespace textid {
${body}} // namespace textid
")
# Only a changed header is rewritten, so an edit to a comment in the table
# does not rebuild everything that includes it.
file(CONFIGURE OUTPUT "${OUTPUT}" CONTENT "${text}" @ONLY)
