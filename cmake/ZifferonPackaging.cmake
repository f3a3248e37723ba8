# CPack: two Debian packages on Linux, the programs (zifferon) and the library for building
# against (libzifferon-dev); a ZIP of the programs for Windows. Packages are written into the
# build tree.
set(CPACK_PACKAGE_NAME zifferon)
set(CPACK_PACKAGE_VENDOR Zifferon)
set(CPACK_PACKAGE_CONTACT "Zifferon maintainers <maintainers@zifferon.invalid>")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packages)
set(CPACK_STRIP_FILES ON)

if(WIN32)
    set(CPACK_GENERATOR ZIP)
    set(CPACK_COMPONENTS_ALL Programs)
    set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
    set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
    # Unpacks into a folder of its own; a Debian package must not have one.
    set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY ON)
else()
    set(CPACK_GENERATOR DEB)
    set(CPACK_COMPONENTS_ALL ${ZIFFERON_PACKAGE_COMPONENTS})
    set(CPACK_COMPONENTS_GROUPING IGNORE)
    set(CPACK_DEB_COMPONENT_INSTALL ON)
endif()

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
foreach(component package IN ZIP_LISTS ZIFFERON_PACKAGE_COMPONENTS ZIFFERON_PACKAGE_NAMES)
    string(TOUPPER ${component} upper)
    set(CPACK_DEBIAN_${upper}_PACKAGE_NAME ${package})
endforeach()

set(CPACK_DEBIAN_PROGRAMS_PACKAGE_SECTION math)
# The first line is the package's summary, the rest its long description. CPack prepends no
# summary of its own only while CPACK_PACKAGE_DESCRIPTION_SUMMARY keeps its default, so neither
# this file nor project() sets one.
string(CONCAT CPACK_DEBIAN_PROGRAMS_DESCRIPTION
    "German console programs for matrices and linear equation systems\n"
    "Seven German-language console programs around one matrix library over\n"
    "float, double, complex numbers and exact fractions: the calculator\n"
    "rechenpult, the scripted solver test probelauf, the mass solver tests\n"
    "serienlauf_q, serienlauf_z, serienlauf_f and serienlauf_d, and the error\n"
    "test fehlerlauf.")

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
string(CONCAT CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION
    "${ZIFFERON_LIBRARY_SUMMARY}\n"
    "The class-template matrix library of Zifferon for float, double,\n"
    "std::complex<double> and the exact 64-bit fraction type Bruch: sum,\n"
    "difference, product, determinant, adjugate, inverse, structural tests and\n"
    "a linear equation solver that tells a unique solution from a contradictory\n"
    "system and one with infinitely many solutions. Headers, static libraries\n"
    "and the package configurations for CMake (find_package(Zifferon)) and\n"
    "pkg-config (zifferon.pc).")

# The runtime libraries the programs need, as dpkg-shlibdeps (from dpkg-dev) reads them off
# the binaries; without it, the libraries every g++ program links. The library package holds
# no binaries that run.
find_program(ZIFFERON_DPKG_SHLIBDEPS dpkg-shlibdeps)
mark_as_advanced(ZIFFERON_DPKG_SHLIBDEPS)
if(ZIFFERON_DPKG_SHLIBDEPS)
    set(CPACK_DEBIAN_PROGRAMS_PACKAGE_SHLIBDEPS ON)
else()
    set(CPACK_DEBIAN_PROGRAMS_PACKAGE_DEPENDS "libc6, libgcc-s1, libstdc++6")
endif()

include(CPack)
