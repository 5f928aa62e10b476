# Installation and packages. Only the seven programs are installed (no tests, benchmarks
# or probes), with the sample files, the README and the licence.
#   Linux:   cmake --install (bin/, the manual pages and the documentation folder),
#            cpack -G TGZ or DEB
#   Windows: cpack -G ZIP, everything in one folder, as the programs read and write their
#            files in the current folder (the program's own on a double click)
include(GNUInstallDirs)

# gzip_datei(output input): `input` compressed as a distribution ships it, at build time:
# best compression, and no name or time stamp, so the same input gives the same bytes.
function(gzip_datei output input)
    add_custom_command(OUTPUT ${output}
                       COMMAND ${GZIP_PROGRAM} -9n < ${input} > ${output}
                       DEPENDS ${input}
                       COMMENT "Compressing ${output}")
endfunction()

set(PACKAGE_MAINTAINER "Konsolenprogramme <konsolenprogramme@example.org>"
    CACHE STRING "Maintainer named in the Debian package and its copyright file")

if(WIN32)
    set(PROGRAM_DESTINATION .)
    set(SAMPLE_DESTINATION .)
    configure_file(${PROJECT_SOURCE_DIR}/packaging/LIESMICH.txt.in
                   ${PROJECT_BINARY_DIR}/LIESMICH.txt @ONLY NEWLINE_STYLE CRLF)
    # Windows line ends, so that any editor there shows its lines (it holds no @).
    configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_BINARY_DIR}/LICENSE.txt @ONLY
                   NEWLINE_STYLE CRLF)
    install(FILES ${PROJECT_BINARY_DIR}/LIESMICH.txt ${PROJECT_BINARY_DIR}/LICENSE.txt
            DESTINATION .)
else()
    set(PROGRAM_DESTINATION ${CMAKE_INSTALL_BINDIR})
    set(SAMPLE_DESTINATION ${CMAKE_INSTALL_DOCDIR}/samples)
    install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})

    # The licence as a machine-readable copyright file: its holder and its text from LICENSE.
    file(READ ${PROJECT_SOURCE_DIR}/LICENSE LIZENZ)
    string(REGEX MATCH "Copyright \\(c\\) ([^\n]*)" _ "${LIZENZ}")
    set(LIZENZ_INHABER ${CMAKE_MATCH_1})
    string(FIND "${LIZENZ}" "Permission is hereby granted" anfang)
    string(SUBSTRING "${LIZENZ}" ${anfang} -1 LIZENZ_TEXT)
    string(STRIP "${LIZENZ_TEXT}" LIZENZ_TEXT)
    # Each line indented by one blank, an empty line as " .".
    string(REPLACE "\n\n" "\n.\n" LIZENZ_TEXT "${LIZENZ_TEXT}")
    string(REPLACE "\n" "\n " LIZENZ_TEXT " ${LIZENZ_TEXT}")
    configure_file(${PROJECT_SOURCE_DIR}/packaging/copyright.in ${PROJECT_BINARY_DIR}/copyright
                   @ONLY)
    install(FILES ${PROJECT_BINARY_DIR}/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

    # The changelog and the manual pages, compressed where gzip is found (it always is on
    # Debian), as they are installed there.
    find_program(GZIP_PROGRAM gzip)
    set(SEITEN)
    foreach(program IN LISTS BUILT_PROGRAMS)
        configure_file(${PROJECT_SOURCE_DIR}/man/${program}.1.in
                       ${PROJECT_BINARY_DIR}/man/${program}.1 @ONLY)
        list(APPEND SEITEN ${PROJECT_BINARY_DIR}/man/${program}.1)
    endforeach()
    set(CHANGELOG ${PROJECT_SOURCE_DIR}/CHANGELOG)
    set(CHANGELOG_NAME changelog)
    if(GZIP_PROGRAM)
        set(gepackt)
        foreach(seite IN LISTS SEITEN)
            gzip_datei(${seite}.gz ${seite})
            list(APPEND gepackt ${seite}.gz)
        endforeach()
        set(SEITEN ${gepackt})
        gzip_datei(${PROJECT_BINARY_DIR}/changelog.gz ${CHANGELOG})
        set(CHANGELOG ${PROJECT_BINARY_DIR}/changelog.gz)
        set(CHANGELOG_NAME changelog.gz)
    endif()
    add_custom_target(installed_docs ALL DEPENDS ${SEITEN} ${CHANGELOG})
    install(FILES ${SEITEN} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    install(FILES ${CHANGELOG} DESTINATION ${CMAKE_INSTALL_DOCDIR} RENAME ${CHANGELOG_NAME})
endif()
install(TARGETS ${BUILT_PROGRAMS} RUNTIME DESTINATION ${PROGRAM_DESTINATION})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/samples/ DESTINATION ${SAMPLE_DESTINATION})
# A stripped program keeps the compilers' names in its .comment section; a distribution's
# strip takes that out too.
if(NOT WIN32 AND CMAKE_OBJCOPY)
    install(CODE "
        if(CMAKE_INSTALL_DO_STRIP)
            foreach(program ${BUILT_PROGRAMS})
                execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment
                    \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${PROGRAM_DESTINATION}/\${program}\")
            endforeach()
        endif()")
endif()

set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
# Packages carry no debug information, whatever the build type.
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_VENDOR "Konsolenprogramme")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Seven small German-language console programs")
# Lines of at most 80 characters, as a package description is shown.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "A student database with exam registration, a queen placement on boards of up\n"
    "to 50 x 50 squares, a maze search, a demonstration of a sorted doubly linked\n"
    "list, and three tools that write, sort and count a file of numbers.\n"
    "\n"
    "All their texts are German. In a terminal they use single-key menus, colours\n"
    "and frames; they work just as well with piped input and output, so they can\n"
    "be scripted. Each reads and writes its files in the current folder.")
if(WIN32)
    set(CPACK_GENERATOR ZIP)
else()
    set(CPACK_GENERATOR TGZ DEB)
endif()

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
