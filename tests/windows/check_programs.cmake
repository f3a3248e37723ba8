# The Windows programs with redirected input and output, checked exactly as the installed Linux
# programs are. Variables: ZIFFERON_RUN_LAUNCHER, ZIFFERON_RUN_SUFFIX, BIN_DIR, WORK_DIR.
cmake_minimum_required(VERSION 3.25)

include(${CMAKE_CURRENT_LIST_DIR}/../install/program_runs.cmake)
zifferon_check_program_runs("${BIN_DIR}" "${WORK_DIR}")
