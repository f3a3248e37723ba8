# Runs probelauf on a reference script; standard output must equal the reference transcript
# byte for byte (line ends included), standard error must stay empty, the status must be 0.
# Variables: WINE, PROGRAM, SCRIPT (NAME.in beside NAME.out), WORK_DIR.
cmake_minimum_required(VERSION 3.25)

cmake_path(GET SCRIPT STEM name)
cmake_path(REPLACE_EXTENSION SCRIPT .out OUTPUT_VARIABLE reference)
file(MAKE_DIRECTORY "${WORK_DIR}")
set(output "${WORK_DIR}/${name}.out")
execute_process(
    COMMAND "${WINE}" "${PROGRAM}"
    INPUT_FILE "${SCRIPT}"
    OUTPUT_FILE "${output}"
    ERROR_VARIABLE err
    RESULT_VARIABLE status
    TIMEOUT 60)
file(SHA256 "${output}" actual)
file(SHA256 "${reference}" expected)
if(NOT status STREQUAL "0" OR NOT err STREQUAL "" OR NOT actual STREQUAL expected)
    execute_process(COMMAND diff "${reference}" "${output}" OUTPUT_VARIABLE difference)
    message(FATAL_ERROR "${name}: status ${status}\n--- standard error:\n${err}\n"
        "--- difference to ${reference}:\n${difference}")
endif()
