# Every program imports from the system's own libraries only (the C++ runtime is linked in), so
# the .exe runs on a Windows machine as it is. Variables: OBJDUMP, BIN_DIR, SUFFIX.
cmake_minimum_required(VERSION 3.25)

set(system kernel32.dll msvcrt.dll)
foreach(program IN ITEMS rechenpult probelauf fehlerlauf serienlauf_q serienlauf_z serienlauf_f
                         serienlauf_d)
    set(file "${BIN_DIR}/${program}${SUFFIX}")
    execute_process(COMMAND "${OBJDUMP}" -p "${file}"
        RESULT_VARIABLE status OUTPUT_VARIABLE headers ERROR_VARIABLE headers)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "objdump ${file} failed:\n${headers}")
    endif()
    string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
    if(imports STREQUAL "")
        message(FATAL_ERROR "${program} imports no library at all?")
    endif()
    foreach(import IN LISTS imports)
        string(REPLACE "DLL Name: " "" library "${import}")
        string(TOLOWER "${library}" library)
        if(NOT library IN_LIST system)
            message(FATAL_ERROR "${program} needs ${library}")
        endif()
    endforeach()
endforeach()
