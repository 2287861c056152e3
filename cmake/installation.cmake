# Installation and the Debian package. Only the real programs are installed:
# the simulated ones are test tools.
include(GNUInstallDirs)

set(TRAVONEL_PROGRAMMES travonel)
if(TARGET travonel_ident)
  list(APPEND TRAVONEL_PROGRAMMES travonel_ident)
endif()
install(TARGETS ${TRAVONEL_PROGRAMMES} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# Manual pages: one source for both programs, gzipped as Debian wants them.
# travonel_ident(1) is the same text under its own title.
find_program(TRAVONEL_GZIP gzip REQUIRED)
set(pages_dir ${CMAKE_BINARY_DIR}/man)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/man/travonel.1)
file(READ ${PROJECT_SOURCE_DIR}/man/travonel.1 texte_page)
file(WRITE ${pages_dir}/travonel.1 "${texte_page}")
string(REPLACE ".TH TRAVONEL 1" ".TH TRAVONEL_IDENT 1" texte_page "${texte_page}")
file(WRITE ${pages_dir}/travonel_ident.1 "${texte_page}")
set(pages)
foreach(page ${TRAVONEL_PROGRAMMES})
  add_custom_command(OUTPUT ${pages_dir}/${page}.1.gz
    COMMAND ${TRAVONEL_GZIP} -9 -n -f -k ${pages_dir}/${page}.1
    DEPENDS ${PROJECT_SOURCE_DIR}/man/travonel.1 VERBATIM)
  list(APPEND pages ${pages_dir}/${page}.1.gz)
endforeach()
add_custom_target(pages_manuel ALL DEPENDS ${pages})
install(FILES ${pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# Bash completion: one script, a link for the second program name.
install(FILES ${PROJECT_SOURCE_DIR}/paquet/travonel.bash-completion
  DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME travonel)
if(TARGET travonel_ident)
  install(CODE "
    set(d \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/bash-completion/completions\")
    file(CREATE_LINK travonel \"\${d}/travonel_ident\" SYMBOLIC)
    list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${d}/travonel_ident\")")
endif()

# Granting the port capability is the administrator's choice, never done by
# the installation itself.
install(PROGRAMS ${PROJECT_SOURCE_DIR}/paquet/autoriser-ports
  DESTINATION ${CMAKE_INSTALL_DATADIR}/travonel)

set(CPACK_PACKAGE_NAME travonel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "travonel")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "driver for the ESAO3 school-lab data-acquisition card")
set(CPACK_PACKAGE_DESCRIPTION "travonel and travonel_ident read the analog and digital inputs of the
ESAO3 card and drive its analog output and digital lines through the PC's
I/O ports, one operation per run, one result line on standard output.
travonel_ident names each analog input by the sensor plugged into it.
To let users other than root reach the card, run
/usr/share/travonel/autoriser-ports as root after installation.")
set(CPACK_PACKAGE_CONTACT "travonel maintainers <travonel@localhost>")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE amd64)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "libcap2-bin")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
include(CPack)
