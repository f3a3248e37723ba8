# Settings every target of the project shares.
#
# Warnings are errors only where the project's own builds ask for it (ZIFFERON_WARNINGS_AS_ERRORS,
# set by the dev, asan, fuzz and mingw presets): a release or a packager's build with a newer
# compiler must not fail on a warning that compiler has just learnt.
#
# Floating-point contraction stays off: the library stores every intermediate result as a value
# of its element type, and a fused multiply-add would change results with the instruction set.
# Libraries pass the flag on to whoever compiles their templates.
#
# Loops start on a 64-byte boundary: the speed of the short row loops of the algebra otherwise
# depends on where the linker happens to place them (up to 1.9 times slower 32 bytes past a
# boundary), and an unrelated change elsewhere would move them.
option(ZIFFERON_WARNINGS_AS_ERRORS "Treat compiler warnings as errors (developer and CI builds)" OFF)

set(zifferon_gnu_like "$<CXX_COMPILER_ID:GNU,Clang,AppleClang>")

function(zifferon_target_defaults target)
    target_compile_options(${target} PRIVATE
        $<${zifferon_gnu_like}:-Wall -Wextra -Wpedantic>
        $<$<CXX_COMPILER_ID:MSVC>:/W4>)
    if(ZIFFERON_WARNINGS_AS_ERRORS)
        target_compile_options(${target} PRIVATE
            $<${zifferon_gnu_like}:-Werror> $<$<CXX_COMPILER_ID:MSVC>:/WX>)
    endif()
    target_compile_options(${target} PRIVATE $<${zifferon_gnu_like}:-falign-loops=64>)
    get_target_property(type ${target} TYPE)
    if(type MATCHES "LIBRARY")
        target_compile_options(${target} PUBLIC $<${zifferon_gnu_like}:-ffp-contract=off>)
    else()
        target_compile_options(${target} PRIVATE $<${zifferon_gnu_like}:-ffp-contract=off>)
    endif()
endfunction()
