# Builds the two Debian packages, checks their control fields and file lists, then unpacks the
# programs' package and runs the programs from the unpacked tree. With LINTIAN set, Debian's
# package checker must find no error and no warning in either.
#
# Variables: BUILD_DIR, OUTPUT_DIR, PROGRAMS, VERSION, CPACK, SOURCE_DIR, LINTIAN (optional).
cmake_minimum_required(VERSION 3.25)

include(${CMAKE_CURRENT_LIST_DIR}/run_step.cmake)

file(REMOVE_RECURSE "${OUTPUT_DIR}")
run_step("cpack" "${CPACK}" -G DEB --config "${BUILD_DIR}/CPackConfig.cmake" -B "${OUTPUT_DIR}")
run_step("dpkg --print-architecture" dpkg --print-architecture)
string(STRIP "${log}" architecture)

# The one package named `name`, with its control fields checked; its path goes to `variable`.
function(find_package_file name variable)
    set(file "${OUTPUT_DIR}/${name}_${VERSION}_${architecture}.deb")
    if(NOT EXISTS "${file}")
        file(GLOB packages "${OUTPUT_DIR}/*.deb")
        message(FATAL_ERROR "no package ${file}; found: ${packages}")
    endif()
    run_step("reading the control fields" dpkg-deb --field "${file}" Package Version Architecture)
    if(NOT log STREQUAL "Package: ${name}\nVersion: ${VERSION}\nArchitecture: ${architecture}\n")
        message(FATAL_ERROR "control fields of ${name}:\n${log}")
    endif()
    set(${variable} "${file}" PARENT_SCOPE)
endfunction()

# The package's Description: its own one-line summary, then a long description that repeats
# neither package's summary.
set(summaries
    "German console programs for matrices and linear equation systems"
    "C++ matrix library over floating-point, complex and exact fractions")
function(expect_description file summary)
    run_step("reading the description" dpkg-deb --field "${file}" Description)
    string(FIND "${log}" "\n" end)
    string(SUBSTRING "${log}" 0 ${end} first)
    string(SUBSTRING "${log}" ${end} -1 rest)
    if(NOT first STREQUAL summary OR NOT rest MATCHES "^\n [^\n]+\n")
        message(FATAL_ERROR "${file}: the Description does not begin with its summary "
            "\"${summary}\" and a long description:\n${log}")
    endif()
    foreach(other IN LISTS summaries)
        string(FIND "${rest}" "${other}" at)
        if(NOT at EQUAL -1)
            message(FATAL_ERROR "${file}: a summary in the long description:\n${log}")
        endif()
    endforeach()
endfunction()

# The package's paths (directories end in /); files in /usr/bin must be executables of root.
function(list_package file variable)
    run_step("listing ${file}" dpkg-deb --contents "${file}")
    string(REGEX MATCHALL "[^\n]+" lines "${log}")
    set(listed "")
    foreach(line IN LISTS lines)
        string(REGEX REPLACE "^.* (\\./[^ ]*)$" "\\1" path "${line}")
        list(APPEND listed "${path}")
        if(path MATCHES "^\\./usr/bin/." AND NOT line MATCHES "^-rwxr-xr-x root/root ")
            message(FATAL_ERROR "not an executable owned by root: ${line}")
        endif()
        if(NOT path MATCHES "/$" AND NOT path MATCHES "^\\./usr/bin/."
           AND NOT line MATCHES "^-rw-r--r-- root/root ")
            message(FATAL_ERROR "not a plain file owned by root: ${line}")
        endif()
    endforeach()
    set(${variable} "${listed}" PARENT_SCOPE)
endfunction()

# `expected` plus every directory above its entries, against the package's list.
function(expect_contents file expected)
    set(all "")
    foreach(path IN LISTS expected)
        list(APPEND all "${path}")
        string(REGEX REPLACE "/[^/]+/?$" "/" parent "${path}")
        while(NOT parent STREQUAL "./")
            list(APPEND all "${parent}")
            string(REGEX REPLACE "/[^/]+/$" "/" parent "${parent}")
        endwhile()
    endforeach()
    list(REMOVE_DUPLICATES all)
    list_package("${file}" listed)
    expect_same_files("contents of ${file}" "${all}" "${listed}")
endfunction()

# The changelog is compressed as Debian wants it and its newest entry is this version.
function(expect_documents file package)
    set(doc "${OUTPUT_DIR}/docs-${package}")
    run_step("unpacking ${package}" dpkg-deb --extract "${file}" "${doc}")
    file(READ "${doc}/usr/share/doc/${package}/copyright" copyright)
    if(NOT copyright MATCHES "^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
       OR NOT copyright MATCHES "\nLicense: Expat\n")
        message(FATAL_ERROR "${package}: copyright is not in the machine-readable format")
    endif()
    run_step("reading the changelog" gzip -d -c "${doc}/usr/share/doc/${package}/changelog.gz")
    if(NOT log MATCHES "^zifferon \\(${VERSION}\\) ")
        message(FATAL_ERROR "${package}: the changelog does not begin with ${VERSION}:\n${log}")
    endif()
endfunction()

# The programs: binaries, manual pages, copyright and changelog; only the runtime libraries
# they link.
find_package_file(zifferon programs)
list(GET summaries 0 summary)
expect_description("${programs}" "${summary}")
run_step("reading the dependencies" dpkg-deb --field "${programs}" Depends)
string(STRIP "${log}" log)
string(REGEX MATCHALL "[^ ,|]+ *(\\([^)]*\\))?" depends "${log}")
list(TRANSFORM depends REPLACE " *\\(.*$" "")
list(TRANSFORM depends STRIP)
# A sanitizer build's programs link the sanitizers' runtimes, and rightly depend on them.
list(FILTER depends EXCLUDE REGEX "^lib(a|ub|l|t)san[0-9]+$")
list(SORT depends)
if(NOT depends STREQUAL "libc6;libgcc-s1;libstdc++6")
    message(FATAL_ERROR "the programs depend on: ${log}")
endif()
set(expected ./usr/share/doc/zifferon/copyright ./usr/share/doc/zifferon/changelog.gz)
foreach(program IN LISTS PROGRAMS)
    list(APPEND expected "./usr/bin/${program}" "./usr/share/man/man1/${program}.1.gz")
endforeach()
expect_contents("${programs}" "${expected}")
expect_documents("${programs}" zifferon)

# The library: public headers, static libraries, the package configurations; no programs.
find_package_file(libzifferon-dev library)
list(GET summaries 1 summary)
expect_description("${library}" "${summary}")
list_package("${library}" listed)
list(FILTER listed EXCLUDE REGEX "/$")
set(expected ./usr/share/doc/libzifferon-dev/copyright ./usr/share/doc/libzifferon-dev/changelog.gz)
foreach(path IN LISTS listed)
    if(path MATCHES "^\\./usr/include/zifferon/(matrix|number)/[a-z_]+\\.hpp$"
       OR path MATCHES "^\\./usr/lib/(.*/)?libzifferon_(console|matrix|number)\\.a$"
       OR path MATCHES "^\\./usr/lib/(.*/)?cmake/Zifferon/Zifferon[A-Za-z-]*\\.cmake$"
       OR path MATCHES "^\\./usr/lib/(.*/)?pkgconfig/zifferon\\.pc$")
        list(APPEND expected "${path}")
    endif()
endforeach()
list(FILTER listed INCLUDE
    REGEX "matrix\\.hpp$|bruch\\.hpp$|libzifferon_matrix\\.a$|ZifferonConfig\\.cmake$|zifferon\\.pc$")
list(LENGTH listed found)
if(NOT found EQUAL 5)
    message(FATAL_ERROR "the library package lacks a header, library or configuration: ${listed}")
endif()
expect_contents("${library}" "${expected}")
expect_documents("${library}" libzifferon-dev)

if(LINTIAN)
    execute_process(COMMAND "${LINTIAN}" --fail-on error,warning "${programs}" "${library}"
        RESULT_VARIABLE status OUTPUT_VARIABLE log ERROR_VARIABLE log)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "lintian (${status}):\n${log}")
    endif()
endif()

set(root "${OUTPUT_DIR}/root")
run_step("unpacking the package" dpkg-deb --extract "${programs}" "${root}")
include(${CMAKE_CURRENT_LIST_DIR}/program_runs.cmake)
zifferon_check_program_runs("${root}/usr/bin" "${OUTPUT_DIR}/runs")
