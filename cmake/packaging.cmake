# Installation and packages. Only the seven programs are installed (no tests, benchmarks
# or probes), with the sample files and the README.
#   Linux:   cmake --install (bin/ and the documentation folder), cpack -G TGZ or DEB
#   Windows: cpack -G ZIP, everything in one folder, as the programs read and write their
#            files in the current folder (the program's own on a double click)
include(GNUInstallDirs)

if(WIN32)
    set(PROGRAM_DESTINATION .)
    set(SAMPLE_DESTINATION .)
    configure_file(${PROJECT_SOURCE_DIR}/packaging/LIESMICH.txt.in
                   ${PROJECT_BINARY_DIR}/LIESMICH.txt @ONLY NEWLINE_STYLE CRLF)
    install(FILES ${PROJECT_BINARY_DIR}/LIESMICH.txt DESTINATION .)
else()
    set(PROGRAM_DESTINATION ${CMAKE_INSTALL_BINDIR})
    set(SAMPLE_DESTINATION ${CMAKE_INSTALL_DOCDIR}/samples)
    install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
endif()
install(TARGETS ${BUILT_PROGRAMS} RUNTIME DESTINATION ${PROGRAM_DESTINATION})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/samples/ DESTINATION ${SAMPLE_DESTINATION})

set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
# Packages carry no debug information, whatever the build type.
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_VENDOR "Konsolenprogramme")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Seven small German-language console programs")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "A student database, a queen board, a maze search, a linked list demonstration and "
    "three number sorting tools, in German, for the terminal.")
if(WIN32)
    set(CPACK_GENERATOR ZIP)
else()
    set(CPACK_GENERATOR TGZ DEB)
endif()

set(PACKAGE_MAINTAINER "Konsolenprogramme <konsolenprogramme@example.org>"
    CACHE STRING "Maintainer named in the Debian package")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The dependencies as the binaries need them, where the tool for that is installed.
find_program(DPKG_SHLIBDEPS dpkg-shlibdeps)
if(DPKG_SHLIBDEPS)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6, libgcc-s1, libstdc++6")
endif()

include(CPack)
