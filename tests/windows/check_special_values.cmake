# The calculator writes a value that is not a number as the Linux program does: the determinant
# of a double matrix whose elimination multiplies 0 by an infinite factor is the NaN that
# x86-64 makes, sign bit set, "-nan" (a Windows C library writes "nan"). The whole session must
# be byte for byte the Linux program's.
#
# A = (1e-300 0 1; 1e300 1 0; 0 0 1) is neither triangle, so it is eliminated: the factor
# 1e300 / 1e-300 is inf, W(2,2) = 1 - 0 * inf is NaN, and every product with it stays that NaN.
#
# Variables: WINE, PROGRAM (the Windows calculator), HOST_PROGRAM (the Linux one), WORK_DIR.
cmake_minimum_required(VERSION 3.25)

file(MAKE_DIRECTORY "${WORK_DIR}")
# double; Eingabe, size of matrix 1 3 x 3, its values, back; Matrix-Operationen, its
# determinant, the pause; the end of the input ends the program.
file(WRITE "${WORK_DIR}/keys"
    "P\r" "\r" "\r" "3\n3\n" "PP\r" "1e-300 0 1 1e300 1 0 0 0 1\n" "PP\r" "PPP\r" "\r" " ")

foreach(run IN ITEMS windows linux)
    if(run STREQUAL "windows")
        set(command "${WINE}" "${PROGRAM}")
    else()
        set(command "${HOST_PROGRAM}")
    endif()
    execute_process(
        COMMAND ${command}
        INPUT_FILE "${WORK_DIR}/keys"
        OUTPUT_VARIABLE ${run}
        ERROR_VARIABLE err
        RESULT_VARIABLE status
        TIMEOUT 60)
    if(NOT status STREQUAL "0" OR NOT err STREQUAL "")
        message(FATAL_ERROR "${run}: status ${status}\n--- standard error:\n${err}")
    endif()
endforeach()

string(FIND "${linux}" "\nErgebnis: \n\n-nan\n\n" at)
if(at EQUAL -1)
    message(FATAL_ERROR "the Linux calculator shows no determinant -nan:\n${linux}")
endif()
if(NOT windows STREQUAL linux)
    message(FATAL_ERROR "--- the Windows calculator:\n${windows}\n--- the Linux one:\n${linux}")
endif()
