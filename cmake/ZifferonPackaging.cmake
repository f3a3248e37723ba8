# CPack: a Debian package of the seven programs on Linux, a ZIP of them for Windows.
set(CPACK_PACKAGE_NAME zifferon)
set(CPACK_PACKAGE_VENDOR Zifferon)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_CONTACT "Zifferon maintainers <maintainers@zifferon.invalid>")
set(CPACK_STRIP_FILES ON)

# Only the programs; the library and its headers are for building against, from an install.
set(CPACK_COMPONENTS_ALL Programs)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)

if(WIN32)
    set(CPACK_GENERATOR ZIP)
    # Unpacks into a folder of its own; a Debian package must not have one.
    set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY ON)
else()
    set(CPACK_GENERATOR DEB)
endif()

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
# The summary line comes first; this is the long description after it.
string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Seven German-language console programs around one matrix library over\n"
    "float, double, complex numbers and exact fractions: the calculator\n"
    "rechenpult, the scripted solver test probelauf, the mass solver tests\n"
    "serienlauf_q, serienlauf_z, serienlauf_f and serienlauf_d, and the error\n"
    "test fehlerlauf.")
# The runtime libraries the programs need, as dpkg-shlibdeps (from dpkg-dev) reads them off
# the binaries; without it, the libraries every g++ program links.
find_program(ZIFFERON_DPKG_SHLIBDEPS dpkg-shlibdeps)
mark_as_advanced(ZIFFERON_DPKG_SHLIBDEPS)
if(ZIFFERON_DPKG_SHLIBDEPS)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6, libgcc-s1, libstdc++6")
endif()

include(CPack)
