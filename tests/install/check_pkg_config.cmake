# The README's pkg-config line: its example program, built with
#   g++ -std=c++20 prog.cpp $(pkg-config --cflags --libs zifferon)
# against the installed prefix alone, then run.
#
# Variables: PKG_CONFIG, PC_DIR (the installed pkgconfig directory), SYSROOT (optional: the
# DESTDIR of a staged install), README, WORK_DIR, CXX_COMPILER, CXX_FLAGS, LINKER_FLAGS.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/run_step.cmake)

if(NOT PKG_CONFIG)
    message("pkg-config not found (Debian: apt-get install pkgconf)")
    return()
endif()

file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")

# The README's example: the C++ block after the pkg-config line.
file(READ "${README}" readme)
string(FIND "${readme}" "$(pkg-config --cflags --libs zifferon)" line)
if(line EQUAL -1)
    message(FATAL_ERROR "the README shows no pkg-config line")
endif()
string(SUBSTRING "${readme}" ${line} -1 readme)
if(NOT readme MATCHES "\n```cpp\n(.*)")
    message(FATAL_ERROR "no C++ example after the README's pkg-config line")
endif()
string(FIND "${CMAKE_MATCH_1}" "\n```" end)
string(SUBSTRING "${CMAKE_MATCH_1}" 0 ${end} program)
file(WRITE "${WORK_DIR}/prog.cpp" "${program}\n")

# Only this package's file, without the system's own search path; a staged install's paths are
# taken inside its root, and its /usr paths are not dropped as system paths.
set(environment "PKG_CONFIG_LIBDIR=${PC_DIR}" PKG_CONFIG_PATH=)
if(SYSROOT)
    list(APPEND environment "PKG_CONFIG_SYSROOT_DIR=${SYSROOT}" PKG_CONFIG_ALLOW_SYSTEM_CFLAGS=1
        PKG_CONFIG_ALLOW_SYSTEM_LIBS=1)
endif()
run_step("pkg-config" "${CMAKE_COMMAND}" -E env ${environment}
    "${PKG_CONFIG}" --cflags --libs zifferon)
separate_arguments(pkgFlags UNIX_COMMAND "${log}")
separate_arguments(cxxFlags UNIX_COMMAND "${CXX_FLAGS}")
separate_arguments(linkerFlags UNIX_COMMAND "${LINKER_FLAGS}")
run_step("building the README's example with ${log}"
    "${CXX_COMPILER}" -std=c++20 ${cxxFlags} "${WORK_DIR}/prog.cpp" ${pkgFlags} ${linkerFlags}
    -o "${WORK_DIR}/prog")

execute_process(COMMAND "${WORK_DIR}/prog"
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
# det A = 1/2 * 1/5 - 1/3 * 1/4 = 1/60; A times its inverse is exactly the unit matrix.
set(expected "det A = 1/60\nA * inverse =\n1\t0\t\n0\t1\t\n")
if(NOT status STREQUAL "0" OR NOT out STREQUAL expected OR NOT err STREQUAL "")
    message(FATAL_ERROR "README example: status ${status}\n--- output:\n${out}\n--- expected:\n"
        "${expected}\n--- standard error:\n${err}")
endif()
