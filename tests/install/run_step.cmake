# run_step(<what> <command> [args...]): runs the command and stops the script with its output
# when it fails; the output is left in `log` for the caller.
function(run_step what)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE log ERROR_VARIABLE log)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${what} failed (${status}):\n${log}")
    endif()
    set(log "${log}" PARENT_SCOPE)
endfunction()
