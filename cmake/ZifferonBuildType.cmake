# A build without a build type (CMake's default, `cmake -S . -B build`) or with Debian's "None"
# (what dh passes, with its own flags in CXXFLAGS) gets no optimisation from CMake, and the
# compiler's default is -O0. Such a build is therefore a release build: -O2 unless the flags
# already choose an optimisation level, and NDEBUG (the library's internal assertions are for
# debug builds) unless the flags mention it.
# A multi-configuration generator always has a type.
if(NOT CMAKE_CONFIGURATION_TYPES AND
   (CMAKE_BUILD_TYPE STREQUAL "" OR CMAKE_BUILD_TYPE STREQUAL "None"))
    if(NOT CMAKE_CXX_FLAGS MATCHES "(^| )[-/]O")
        add_compile_options($<$<CXX_COMPILER_ID:GNU,Clang,AppleClang>:-O2>
            $<$<CXX_COMPILER_ID:MSVC>:/O2>)
    endif()
    if(NOT CMAKE_CXX_FLAGS MATCHES "NDEBUG")
        add_compile_definitions(NDEBUG)
    endif()
endif()
