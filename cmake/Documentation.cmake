# The manual page, made from the program's --help with help2man, the Debian changelog and
# copyright file under share/doc/calbrine, and the package's lintian overrides. Versions come from project(); the package
# revision is set here. Included by Install.cmake.
set(calbrine_debian_revision 1)
set(calbrine_doc_build ${PROJECT_BINARY_DIR}/data)
set(calbrine_doc_dir ${CMAKE_INSTALL_DATADIR}/doc/calbrine)
find_program(CALBRINE_GZIP gzip REQUIRED)
find_program(CALBRINE_HELP2MAN help2man)

# The licence of LICENSE below its copyright line, as a copyright-file paragraph: every line
# indented by a blank, an empty line written " .".
file(READ ${PROJECT_SOURCE_DIR}/LICENSE calbrine_licence)
string(FIND "${calbrine_licence}" "Permission is" calbrine_licence_start)
string(SUBSTRING "${calbrine_licence}" ${calbrine_licence_start} -1 calbrine_licence)
string(STRIP "${calbrine_licence}" calbrine_licence)
string(REPLACE "\n\n" "\n.\n" calbrine_licence "${calbrine_licence}")
string(REPLACE "\n" "\n " calbrine_licence "${calbrine_licence}")
set(CALBRINE_LICENSE_BODY " ${calbrine_licence}")
configure_file(${PROJECT_SOURCE_DIR}/data/debian/copyright.in ${calbrine_doc_build}/copyright
               @ONLY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE)

set(CALBRINE_DEBIAN_VERSION ${PROJECT_VERSION}-${calbrine_debian_revision})
configure_file(${PROJECT_SOURCE_DIR}/data/debian/changelog.in
               ${calbrine_doc_build}/changelog.Debian @ONLY)
# gzip -n leaves the name and time out, so that the same text always packs the same.
add_custom_command(OUTPUT ${calbrine_doc_build}/changelog.Debian.gz
                   COMMAND ${CALBRINE_GZIP} -9nkf changelog.Debian
                   DEPENDS ${calbrine_doc_build}/changelog.Debian
                   WORKING_DIRECTORY ${calbrine_doc_build} VERBATIM)
set(calbrine_documents ${calbrine_doc_build}/changelog.Debian.gz)
install(FILES ${calbrine_doc_build}/copyright ${calbrine_doc_build}/changelog.Debian.gz
        DESTINATION ${calbrine_doc_dir})
install(FILES ${PROJECT_SOURCE_DIR}/data/debian/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME calbrine)

# A sanitizer build is never shipped; it makes no manual page. Nor does the mutation run's
# build, where a fault in the command line would stop the build instead of failing a test.
option(CALBRINE_MANUAL_PAGE "Make the manual page from the program's --help" ON)
if(CALBRINE_MANUAL_PAGE AND CALBRINE_HELP2MAN AND NOT CALBRINE_SANITIZE)
    add_custom_command(OUTPUT ${calbrine_doc_build}/calbrine.1.gz
                       COMMAND ${CALBRINE_HELP2MAN} --no-info --section=1
                               "--name=design the VFO of a radio transceiver"
                               --output=calbrine.1 $<TARGET_FILE:calbrine>
                       COMMAND ${CALBRINE_GZIP} -9nf calbrine.1
                       DEPENDS calbrine
                       WORKING_DIRECTORY ${calbrine_doc_build} VERBATIM)
    list(APPEND calbrine_documents ${calbrine_doc_build}/calbrine.1.gz)
    install(FILES ${calbrine_doc_build}/calbrine.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
elseif(NOT CALBRINE_HELP2MAN)
    message(WARNING "help2man is missing: the manual page is not made (apt-get install help2man)")
endif()
add_custom_target(calbrine_docs ALL DEPENDS ${calbrine_documents})
