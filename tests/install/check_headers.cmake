# Every installed header compiles without a single warning under the flags a careful user sets:
# each header alone (it includes what it needs), then all of them together with the class tree
# instantiated for the four element types, so that the template bodies are compiled too. The
# headers are those the install holds, whatever they are.
#
# Variables: INCLUDE_DIR (the installed include directory), COMPILERS (C++ compilers, each run),
# WORK_DIR.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/run_step.cmake)

if(NOT COMPILERS)
    message(FATAL_ERROR "no C++ compiler to check the headers with")
endif()
set(flags -std=c++20 -Wall -Wextra -Wpedantic -Wshadow -Werror -fsyntax-only)

file(GLOB_RECURSE headers RELATIVE "${INCLUDE_DIR}" "${INCLUDE_DIR}/zifferon/*.hpp")
list(SORT headers)
if(NOT "zifferon/matrix/matrix.hpp" IN_LIST headers OR NOT "zifferon/number/bruch.hpp" IN_LIST headers)
    message(FATAL_ERROR "the install lacks the public headers: ${headers}")
endif()

file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
set(sources "")
set(all "")
foreach(header IN LISTS headers)
    string(MAKE_C_IDENTIFIER "${header}" name)
    file(WRITE "${WORK_DIR}/${name}.cpp" "#include <${header}>\n")
    list(APPEND sources "${WORK_DIR}/${name}.cpp")
    string(APPEND all "#include <${header}>\n")
endforeach()
string(APPEND all "\n#include <complex>\n\n")
foreach(type IN ITEMS float double std::complex<double> zifferon::Bruch)
    foreach(class IN ITEMS MatrixVector MatrixArithmetic MatrixMath Matrix)
        string(APPEND all "template class zifferon::${class}<${type}>;\n")
    endforeach()
endforeach()
file(WRITE "${WORK_DIR}/all_headers.cpp" "${all}")
list(APPEND sources "${WORK_DIR}/all_headers.cpp")

foreach(compiler IN LISTS COMPILERS)
    foreach(source IN LISTS sources)
        cmake_path(GET source FILENAME file)
        run_step("${compiler} on ${file} (${flags})"
            "${compiler}" ${flags} "-I${INCLUDE_DIR}" "${source}")
    endforeach()
endforeach()
