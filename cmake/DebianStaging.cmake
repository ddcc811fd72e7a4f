# Run by cpack (CPACK_PRE_BUILD_SCRIPTS) on the staging tree before it builds the Debian package:
# adds /usr/share/doc/corvella/copyright and changelog.gz and compresses the manual pages, as
# Debian's policy asks. gzip -n leaves out the name and time, so the package is reproducible.
if(NOT CPACK_GENERATOR STREQUAL "DEB")
    return()
endif()
set(root "${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
if(NOT IS_DIRECTORY "${root}/bin")
    message(FATAL_ERROR "DebianStaging: no staging tree at ${root}")
endif()

set(doc "${root}/share/doc/${CPACK_DEBIAN_PACKAGE_NAME}")
file(MAKE_DIRECTORY "${doc}")
file(COPY_FILE "${CPACK_CORVELLA_COPYRIGHT}" "${doc}/copyright")
file(COPY_FILE "${CPACK_CORVELLA_CHANGELOG}" "${doc}/changelog")

# cpack has stripped the programs already; as in Debian's own packages (dh_strip), they also
# lose the compiler's .comment and .note sections.
find_program(strip_program strip REQUIRED)
file(GLOB programs "${root}/bin/*")
foreach(program IN LISTS programs)
    execute_process(COMMAND "${strip_program}" --remove-section=.comment --remove-section=.note
                            "${program}" COMMAND_ERROR_IS_FATAL ANY)
endforeach()

file(GLOB_RECURSE pages "${root}/share/man/*")
foreach(file IN LISTS pages ITEMS "${doc}/changelog")
    if(NOT file MATCHES "\\.gz$")
        execute_process(COMMAND gzip -9nf "${file}" COMMAND_ERROR_IS_FATAL ANY)
    endif()
endforeach()
