# Installs the build tree into a fresh prefix and checks that exactly the expected files arrive:
# the seven programs with their manual pages, the public headers under include/zifferon, the
# three static libraries, the package configuration, and each package's copyright and changelog.
#
# Variables: BUILD_DIR, PREFIX, SOURCE_DIR, PROGRAMS, BINDIR, LIBDIR, INCLUDEDIR, MANDIR,
# DATAROOTDIR.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/run_step.cmake)

file(REMOVE_RECURSE "${PREFIX}")
run_step("cmake --install" "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}")

set(expected "")
foreach(program IN LISTS PROGRAMS)
    list(APPEND expected "${BINDIR}/${program}" "${MANDIR}/man1/${program}.1.gz")
endforeach()
foreach(package IN ITEMS zifferon libzifferon-dev)
    list(APPEND expected "${DATAROOTDIR}/doc/${package}/copyright"
        "${DATAROOTDIR}/doc/${package}/changelog.gz")
endforeach()
foreach(library IN ITEMS console matrix number)
    list(APPEND expected "${LIBDIR}/libzifferon_${library}.a")
endforeach()
# The public API and nothing else: the fraction type, the matrix class tree with its element
# traits, row kernels and stream operators, the exception, its display and the solver's verdict.
# The terminal layer and the library's internals stay in the source tree.
foreach(header IN ITEMS
        number/bruch.hpp
        matrix/blocked_elimination.hpp matrix/element_traits.hpp matrix/element_types.hpp
        matrix/matrix.hpp matrix/matrix_arithmetic.hpp matrix/matrix_exception.hpp
        matrix/matrix_io.hpp matrix/matrix_math.hpp matrix/matrix_vector.hpp
        matrix/print_error.hpp matrix/row_kernels.hpp matrix/solve_status.hpp
        matrix/working_storage.hpp)
    list(APPEND expected "${INCLUDEDIR}/zifferon/${header}")
endforeach()
foreach(file IN ITEMS ZifferonConfig.cmake ZifferonConfigVersion.cmake ZifferonTargets.cmake)
    list(APPEND expected "${LIBDIR}/cmake/Zifferon/${file}")
endforeach()

file(GLOB_RECURSE installed RELATIVE "${PREFIX}" "${PREFIX}/*")
# One file of imported locations per build type, named after it.
list(FILTER installed EXCLUDE REGEX "^${LIBDIR}/cmake/Zifferon/ZifferonTargets-[a-z]+\\.cmake$")
file(GLOB locations "${PREFIX}/${LIBDIR}/cmake/Zifferon/ZifferonTargets-*.cmake")
list(LENGTH locations locationCount)
if(NOT locationCount EQUAL 1)
    message(FATAL_ERROR "expected one ZifferonTargets-<type>.cmake, found: ${locations}")
endif()

expect_same_files("installed files" "${expected}" "${installed}")

include(${CMAKE_CURRENT_LIST_DIR}/program_runs.cmake)
zifferon_check_program_runs("${PREFIX}/${BINDIR}" "${PREFIX}-runs")
