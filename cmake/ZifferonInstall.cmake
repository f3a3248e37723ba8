# The installed tree: programs in bin/ with their manual pages, the three libraries with the
# public headers, and a package configuration for find_package(Zifferon). Components: Programs
# and Development; a plain `cmake --install` installs both, and each is a Debian package of its
# own (zifferon, libzifferon-dev).
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

set(ZIFFERON_PROGRAMS rechenpult probelauf fehlerlauf serienlauf_q serienlauf_z serienlauf_f
    serienlauf_d)
set(ZIFFERON_PACKAGE_COMPONENTS Programs Development)
set(ZIFFERON_PACKAGE_NAMES zifferon libzifferon-dev)
if(NOT WIN32)
    include(cmake/ZifferonDocs.cmake)
endif()

include(cmake/ZifferonPackaging.cmake)
