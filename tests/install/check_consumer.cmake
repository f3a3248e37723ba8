# Configures and builds the consumer project against the installed prefix alone, then runs it.
#
# Variables: PREFIX, SOURCE_DIR, BINARY_DIR, GENERATOR, CXX_COMPILER, CXX_FLAGS, LINKER_FLAGS,
# BUILD_TYPE.
cmake_minimum_required(VERSION 3.25)

include(${CMAKE_CURRENT_LIST_DIR}/run_step.cmake)

file(REMOVE_RECURSE "${BINARY_DIR}")
run_step("configuring the consumer"
    "${CMAKE_COMMAND}" -S "${SOURCE_DIR}" -B "${BINARY_DIR}" -G "${GENERATOR}"
    "-DCMAKE_PREFIX_PATH=${PREFIX}"
    "-DCMAKE_CXX_COMPILER=${CXX_COMPILER}"
    "-DCMAKE_CXX_FLAGS=${CXX_FLAGS}"
    "-DCMAKE_EXE_LINKER_FLAGS=${LINKER_FLAGS}"
    "-DCMAKE_BUILD_TYPE=${BUILD_TYPE}"
    # Only the prefix given: no package registry, no system-wide installation.
    -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF
    -DCMAKE_FIND_USE_SYSTEM_PACKAGE_REGISTRY=OFF
    -DCMAKE_FIND_USE_CMAKE_SYSTEM_PATH=OFF)
run_step("building the consumer" "${CMAKE_COMMAND}" --build "${BINARY_DIR}")

file(STRINGS "${BINARY_DIR}/CMakeCache.txt" found REGEX "^Zifferon_DIR:")
cmake_path(SET installedConfig NORMALIZE "${PREFIX}")
string(FIND "${found}" "=${installedConfig}/" at)
if(at EQUAL -1)
    message(FATAL_ERROR "the consumer found the package elsewhere: ${found}")
endif()

# Standard output and standard error into one file, as a terminal shows them, but buffered as
# a file is: every line must come in the order the program wrote it.
execute_process(
    COMMAND "${BINARY_DIR}/consumer"
    INPUT_FILE /dev/null
    RESULT_VARIABLE status
    OUTPUT_FILE "${BINARY_DIR}/output.txt"
    ERROR_FILE "${BINARY_DIR}/output.txt")
file(READ "${BINARY_DIR}/output.txt" out)
# det A = 1/10 - 1/12 = 1/60; x = (1/5 - 2/3) / (1/60) = -28, y = (1 - 1/4) / (1/60) = 45;
# A x gives b back; a right-hand side of two columns is the solver's error 400.
string(CONCAT expected
    "Determinante: 1/60\n"
    "Loesung:\n-28\t\n45\t\n"
    "Probe:\n1\t\n2\t\n"
    "Es ist folgender Fehler aufgetreten: \n"
    "Die Matrix mit den absoluten Gliedern ist kein Spaltenvektor.\n\n"
    "Fehlernummer 400\n"
    "Ende\n")
if(NOT status STREQUAL "0" OR NOT out STREQUAL expected)
    message(FATAL_ERROR "consumer: status ${status}\n--- output and standard error:\n${out}\n"
        "--- expected:\n${expected}")
endif()
