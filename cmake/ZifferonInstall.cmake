# The installed tree: programs in bin/ with their manual pages, the three libraries with the
# public headers, a package configuration for find_package(Zifferon) and one for pkg-config.
# Components: Programs and Development; a plain `cmake --install` installs both, and each is a
# Debian package of its own (zifferon, libzifferon-dev).
include(CMakePackageConfigHelpers)

set(ZIFFERON_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Zifferon)

install(EXPORT ZifferonTargets
    NAMESPACE Zifferon::
    DESTINATION ${ZIFFERON_CMAKE_DIR}
    COMPONENT Development)

configure_package_config_file(cmake/ZifferonConfig.cmake.in
    ${PROJECT_BINARY_DIR}/ZifferonConfig.cmake
    INSTALL_DESTINATION ${ZIFFERON_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/ZifferonConfigVersion.cmake
    COMPATIBILITY SameMajorVersion)
install(FILES
    ${PROJECT_BINARY_DIR}/ZifferonConfig.cmake
    ${PROJECT_BINARY_DIR}/ZifferonConfigVersion.cmake
    DESTINATION ${ZIFFERON_CMAKE_DIR}
    COMPONENT Development)

# pkg-config: zifferon.pc in <libdir>/pkgconfig, where pkg-config looks for the prefix. It names
# the prefix the files are installed into, which `cmake --install --prefix` may choose after
# configuring: the file is prepared here with everything else and finished when installing.
set(ZIFFERON_LIBRARY_SUMMARY "C++ matrix library over floating-point, complex and exact fractions")
set(ZIFFERON_PC_PREFIX "@CMAKE_INSTALL_PREFIX@")
foreach(kind IN ITEMS LIBDIR INCLUDEDIR)
    if(IS_ABSOLUTE "${CMAKE_INSTALL_${kind}}")
        set(ZIFFERON_PC_${kind} "${CMAKE_INSTALL_${kind}}")
    else()
        set(ZIFFERON_PC_${kind} "\${prefix}/${CMAKE_INSTALL_${kind}}")
    endif()
endforeach()
configure_file(cmake/zifferon.pc.in ${PROJECT_BINARY_DIR}/pkgconfig/zifferon.pc.in @ONLY)
install(CODE "configure_file(\"${PROJECT_BINARY_DIR}/pkgconfig/zifferon.pc.in\"
    \"${PROJECT_BINARY_DIR}/pkgconfig/zifferon.pc\" @ONLY)"
    COMPONENT Development)
install(FILES ${PROJECT_BINARY_DIR}/pkgconfig/zifferon.pc
    DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig
    COMPONENT Development)

set(ZIFFERON_PROGRAMS rechenpult probelauf fehlerlauf serienlauf_q serienlauf_z serienlauf_f
    serienlauf_d)
set(ZIFFERON_PACKAGE_COMPONENTS Programs Development)
set(ZIFFERON_PACKAGE_NAMES zifferon libzifferon-dev)
if(NOT WIN32)
    include(cmake/ZifferonDocs.cmake)
endif()

include(cmake/ZifferonPackaging.cmake)
