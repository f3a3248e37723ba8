# The installed tree: programs in bin/, the three libraries with their headers, and a package
# configuration for find_package(Zifferon). Components: Programs and Development; a plain
# `cmake --install` installs both, the Debian package holds the programs only.
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

include(cmake/ZifferonPackaging.cmake)
