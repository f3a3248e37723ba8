# The calculator driven through a pipe as on Linux: the same escape sequences are arrow keys.
# Down, Up, Up (wrapping to the last entry) and Enter end the program from the type selection;
# each arrow redraws the screen twice (prefix, then code), so it is shown seven times, with the
# marker "> " on the highlighted entry: the first, the first, the second, the second, the first,
# the first, the last.
# Variables: WINE, PROGRAM, WORK_DIR.
cmake_minimum_required(VERSION 3.25)

string(ASCII 27 escape)
string(ASCII 12 formFeed)
file(MAKE_DIRECTORY "${WORK_DIR}")
file(WRITE "${WORK_DIR}/keys" "${escape}[B${escape}[A${escape}OA\r")
set(entries
    "Dezimalzahl im Bereich von 1.17549e-38 bis 3.40282e+38"
    "Dezimalzahl im Bereich von 2.22507e-308 bis 1.79769e+308"
    "komplexe Zahlen" "Bruchzahl" "Programm beenden")
set(expected "")
foreach(chosen IN ITEMS 1 1 2 2 1 1 5)
    string(APPEND expected
        "${formFeed}Zifferon   Version 1.8.6\n\n"
        "Bitte waehlen Sie den Datentyp der Matrixelemente:\n\n")
    set(number 0)
    foreach(entry IN LISTS entries)
        math(EXPR number "${number} + 1")
        if(number EQUAL chosen)
            string(APPEND expected "> ${entry}\n")
        else()
            string(APPEND expected "  ${entry}\n")
        endif()
    endforeach()
endforeach()

execute_process(
    COMMAND "${WINE}" "${PROGRAM}"
    INPUT_FILE "${WORK_DIR}/keys"
    OUTPUT_VARIABLE out
    ERROR_VARIABLE err
    RESULT_VARIABLE status
    TIMEOUT 60)
if(NOT status STREQUAL "0" OR NOT out STREQUAL expected OR NOT err STREQUAL "")
    message(FATAL_ERROR "status ${status}\n--- output:\n${out}\n--- expected:\n${expected}\n"
        "--- standard error:\n${err}")
endif()
