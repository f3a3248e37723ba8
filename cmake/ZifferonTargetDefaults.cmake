# Settings every target of the project shares.
#
# Floating-point contraction stays off: the library stores every intermediate result as a value
# of its element type, and a fused multiply-add would change results with the instruction set.
# Libraries pass the flag on to whoever compiles their templates.
function(zifferon_target_defaults target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror)
    get_target_property(type ${target} TYPE)
    if(type MATCHES "LIBRARY")
        target_compile_options(${target} PUBLIC -ffp-contract=off)
    else()
        target_compile_options(${target} PRIVATE -ffp-contract=off)
    endif()
endfunction()
