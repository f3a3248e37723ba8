# A fresh Wine prefix for the run, with its server and system processes already running when the
# tests start. Started here with their output in files: a process that Wine starts on demand
# inherits the output pipes of whichever test started it, and the test then waits for it.
# The server stays for a while after the last program has ended; the Wine.Shutdown test ends it.
# Variables: WINE, WINESERVER, PREFIX.
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE "${PREFIX}")
file(MAKE_DIRECTORY "${PREFIX}")
execute_process(COMMAND "${WINESERVER}" --persistent=60
    INPUT_FILE /dev/null
    OUTPUT_FILE "${PREFIX}-server.log"
    ERROR_FILE "${PREFIX}-server.log"
    RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    file(READ "${PREFIX}-server.log" log)
    message(FATAL_ERROR "wineserver failed (${status}):\n${log}")
endif()
execute_process(COMMAND "${WINE}" wineboot --init
    INPUT_FILE /dev/null
    OUTPUT_FILE "${PREFIX}-boot.log"
    ERROR_FILE "${PREFIX}-boot.log"
    RESULT_VARIABLE status
    TIMEOUT 120)
if(NOT status EQUAL 0 OR NOT IS_DIRECTORY "${PREFIX}/drive_c/windows/system32")
    file(READ "${PREFIX}-boot.log" log)
    message(FATAL_ERROR "wineboot failed (${status}):\n${log}")
endif()
