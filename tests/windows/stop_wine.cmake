# Ends the prefix's server and every Wine process of the run. Variables: WINESERVER.
cmake_minimum_required(VERSION 3.25)

execute_process(COMMAND "${WINESERVER}" --kill
    INPUT_FILE /dev/null
    OUTPUT_VARIABLE log
    ERROR_VARIABLE log
    RESULT_VARIABLE status)
# A server that has already ended by itself leaves nothing to do.
if(NOT status EQUAL 0)
    message(STATUS "wineserver --kill: ${status} ${log}")
endif()
