# Renders each manual page with all of groff's warnings enabled and fails when groff reports
# anything or ends with a non-zero status.
#
#   cmake -D GROFF=<path to groff, empty or NOTFOUND to skip> -D PAGES=<page;page;...>
#         -P check_man_pages.cmake

if(NOT GROFF)
    message("groff not found: manual pages not checked")
    return()
endif()
if(NOT PAGES)
    message(FATAL_ERROR "PAGES is empty")
endif()

set(problems "")
foreach(page IN LISTS PAGES)
    if(NOT EXISTS "${page}")
        string(APPEND problems "${page}: no such file\n")
        continue()
    endif()
    execute_process(
        COMMAND "${GROFF}" -ww -man -Tutf8 -z "${page}"
        RESULT_VARIABLE status
        OUTPUT_QUIET
        ERROR_VARIABLE warnings)
    if(NOT status EQUAL 0 OR NOT warnings STREQUAL "")
        string(APPEND problems "${page}: groff status ${status}\n${warnings}")
    endif()
endforeach()

if(NOT problems STREQUAL "")
    message(FATAL_ERROR "groff -ww -man -Tutf8 -z complains:\n${problems}")
endif()
list(LENGTH PAGES count)
message(STATUS "${count} manual pages render without warnings")
