# What a Debian user finds beside the programs and the library: the copyright and the
# changelog in share/doc/<package>, and a German manual page per program in section 1,
# compressed as Debian wants them (gzip -9, no name or time stamp, so builds are reproducible).

# The folder is made here: Ninja creates the folders of a rule's outputs, Make does not.
set(zifferon_doc_dir ${PROJECT_BINARY_DIR}/doc)
file(MAKE_DIRECTORY ${zifferon_doc_dir})
set(zifferon_compressed "")
function(zifferon_gzip source target)
    add_custom_command(OUTPUT ${target}
        COMMAND gzip -9 -n -c ${source} > ${target}
        DEPENDS ${source}
        COMMENT "Compressing ${target}")
    set(zifferon_compressed ${zifferon_compressed} ${target} PARENT_SCOPE)
endfunction()

foreach(program IN LISTS ZIFFERON_PROGRAMS)
    zifferon_gzip(${PROJECT_SOURCE_DIR}/docs/man/${program}.1 ${zifferon_doc_dir}/${program}.1.gz)
endforeach()
install(FILES ${zifferon_compressed} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT Programs)
zifferon_gzip(${PROJECT_SOURCE_DIR}/packaging/changelog ${zifferon_doc_dir}/changelog.gz)
add_custom_target(zifferon_docs ALL DEPENDS ${zifferon_compressed})

foreach(component package IN ZIP_LISTS ZIFFERON_PACKAGE_COMPONENTS ZIFFERON_PACKAGE_NAMES)
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${zifferon_doc_dir}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${package}
        COMPONENT ${component})
endforeach()
