cmake_minimum_required(VERSION 3.22)
# Checks that the source folders include each other one way only, by the table below: a file
# may include files of its own folder and of the folders its row names (a pattern matches a
# whole folder path). core/ never includes ui/; sibling subsystems include each other neither
# in core/ nor in ui/. Run as: cmake -DSRC=<src folder> -P include_direction.cmake
get_filename_component(SRC "${SRC}" ABSOLUTE)

# folder                                                 : the folders it may include besides its own
set(table
    "core/text                                              :"
    "core/files                                             : core/text"
    "core/pictures                                          : core/text core/files"
    "core/(notebook|registers|recipes|recipe_tools|profile|backup|care) : core/(text|files|pictures)"
    "core/book                                              : core/(text|files|pictures) core/(notebook|registers|recipes|recipe_tools|profile|backup|care)"
    "core/phone                                             : core/(text|files|pictures|care|book)"
    "ui/widgets                                             : core/[a-z_]+"
    "ui/phone                                               : core/[a-z_]+ ui/widgets"
    "ui/(notebook|registers|recipes|recipe_tools|profile|handbook) : core/[a-z_]+ ui/widgets"
    "ui/care                                                : core/(care|book|files|text) ui/widgets"
    "ui/shell                                               : core/[a-z_]+ ui/[a-z_]+"
    "app                                                    : core/[a-z_]+ ui/[a-z_]+")

function(allowed_for folder out)
    foreach(row IN LISTS table)
        string(REPLACE ":" ";" parts "${row}")
        list(GET parts 0 pattern)
        list(GET parts 1 targets)
        string(STRIP "${pattern}" pattern)
        if(folder MATCHES "^${pattern}$")
            string(STRIP "${targets}" targets)
            string(REPLACE " " ";" targets "${targets}")
            set(${out} "${targets}" PARENT_SCOPE)
            return()
        endif()
    endforeach()
    message(SEND_ERROR "src/${folder} has no row in the table: give it one")
    set(${out} "" PARENT_SCOPE)
endfunction()

file(GLOB_RECURSE sources RELATIVE "${SRC}" "${SRC}/*.h" "${SRC}/*.cpp")
set(broken 0)
foreach(source IN LISTS sources)
    get_filename_component(from "${source}" DIRECTORY)
    allowed_for("${from}" allowed)
    file(STRINGS "${SRC}/${source}" includes REGEX "^#include \"")
    foreach(line IN LISTS includes)
        string(REGEX REPLACE "^#include \"(.*)\".*" "\\1" included "${line}")
        get_filename_component(to "${included}" DIRECTORY)
        if(NOT EXISTS "${SRC}/${included}")
            message(SEND_ERROR "src/${source} -> ${included}: include a file of src/ by its path from src/")
            math(EXPR broken "${broken} + 1")
            continue()
        endif()
        if(to STREQUAL from)
            continue()
        endif()
        set(ok FALSE)
        foreach(pattern IN LISTS allowed)
            if(to MATCHES "^${pattern}$")
                set(ok TRUE)
            endif()
        endforeach()
        if(NOT ok)
            message(SEND_ERROR "src/${source} -> ${included}: ${from} may not include ${to}")
            math(EXPR broken "${broken} + 1")
        endif()
    endforeach()
endforeach()
if(broken)
    message(FATAL_ERROR "${broken} include(s) break the layers")
endif()
