# SPDX-FileCopyrightText: 2026 The Tavelquin developers
# SPDX-License-Identifier: GPL-3.0-or-later

# cmake -DNM=... -DDLLTOOL=... -DIMPORT_LIBRARY=... -DOUTPUT=... [-DDECORATED=ON] -P delay_import.cmake
#
# Makes a delay-load import library of the functions of IMPORT_LIBRARY: a
# program linked with it loads the DLL when it first calls one of them, not
# when it starts. Its data, if any, stays in IMPORT_LIBRARY, linked after it.
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND ${NM} ${IMPORT_LIBRARY} OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${DLLTOOL} --identify ${IMPORT_LIBRARY}
    OUTPUT_VARIABLE dll OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
string(REGEX MATCHALL "[^\n]+" lines "${symbols}")
set(imports "")
set(thunks "")
foreach(line IN LISTS lines)
    if(line MATCHES " I __imp_(.+)$")
        list(APPEND imports "${CMAKE_MATCH_1}")
    elseif(line MATCHES " T (.+)$")
        list(APPEND thunks "${CMAKE_MATCH_1}")
    endif()
endforeach()
# A function has both its import's pointer and a thunk to call it. On i686
# (DECORATED) its C name begins with an underscore and a __stdcall one ends in @ and the bytes
# of its arguments, which the definition keeps and dlltool's --kill-at drops
# from the name the DLL exports.
set(definition "LIBRARY ${dll}\nEXPORTS\n")
foreach(name IN LISTS imports)
    if(name IN_LIST thunks)
        if(DECORATED)
            string(REGEX REPLACE "^_" "" name "${name}")
        endif()
        string(APPEND definition "${name}\n")
    endif()
endforeach()
file(WRITE ${OUTPUT}.def "${definition}")
execute_process(COMMAND ${DLLTOOL} --kill-at --input-def ${OUTPUT}.def --output-delaylib ${OUTPUT}
    COMMAND_ERROR_IS_FATAL ANY)
