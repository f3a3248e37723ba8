# run_step(<what> <command> [args...]): runs the command and stops the script with its output
# when it fails; the output is left in `log` for the caller.
function(run_step what)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE log ERROR_VARIABLE log)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${what} failed (${status}):\n${log}")
    endif()
    set(log "${log}" PARENT_SCOPE)
endfunction()

# expect_same_files(<what> <expected list> <found list>): stops with what is missing and what is
# unexpected unless both lists hold the same paths.
function(expect_same_files what expected found)
    list(SORT expected)
    list(SORT found)
    if(NOT found STREQUAL expected)
        set(missing ${expected})
        list(REMOVE_ITEM missing ${found})
        set(extra ${found})
        list(REMOVE_ITEM extra ${expected})
        message(FATAL_ERROR "${what} differ\nmissing: ${missing}\nunexpected: ${extra}")
    endif()
endfunction()
