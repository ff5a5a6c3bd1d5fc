# Installation and packages: the programs, the desktop integration files, the icons, the manual
# pages and the sample catalogue; a .deb through CPack on Debian, an NSIS installer on Windows.
# The documentation folder is named after the package, in lower case, as Debian wants it
# (GNUInstallDirs would take the project's name). Qt's CMake files may have included
# GNUInstallDirs before this and left an empty cache entry behind, so an empty one is replaced.
if("$CACHE{CMAKE_INSTALL_DOCDIR}" STREQUAL "")
    set(CMAKE_INSTALL_DOCDIR share/doc/quillery CACHE PATH "Documentation" FORCE)
    unset(CMAKE_INSTALL_DOCDIR)
endif()
include(GNUInstallDirs)

if(NOT WIN32)
    install(FILES packaging/example.tollvern.quillery.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES packaging/quillery-book.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME quillery.xml)
    install(FILES packaging/example.tollvern.quillery.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    foreach(size 16 24 32 48 64 128 256)
        install(FILES resources/icons/hicolor/${size}x${size}/apps/quillery.png
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
    endforeach()
    install(FILES resources/icons/quillery.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()
install(DIRECTORY examples/catalogue DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples)

set(CPACK_PACKAGE_NAME "quillery")
set(CPACK_PACKAGE_VENDOR "Tollvern")
set(CPACK_PACKAGE_CONTACT "Tollvern <support@tollvern.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Desktop book catalogue with references, reports and microdata")
# The package's extended description: lines of at most 79 characters (CPack puts a blank in
# front of each), an empty line between paragraphs.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "Quillery keeps a catalogue of books as a folder with one small file per book."
    "It edits books with live previews of their reference and their links to"
    "on-line databases, formats references with a compact format language, and"
    "generates HTML reports with schema.org microdata and BCP 47 language"
    "attributes, sorted and grouped, to a window, the clipboard or a file."
    ""
    "Catalogues can be searched, checked, exported to and imported from CSV,"
    "CSL-JSON, BibTeX and RIS; ISBNs are checked, hyphenated and converted. The"
    "command-line tool quillery-cli does all that the window does, with the same"
    "output.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.tollvern.example/quillery/")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# GPL-3.0-or-later: the text the NSIS installer shows before installing.
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Tollvern Quillery")
set(CPACK_PACKAGE_EXECUTABLES "quillery" "Tollvern Quillery")
set(CPACK_STRIP_FILES ON)

# Debian: the dependencies are the Qt 6 runtime packages the programs link, found by
# dpkg-shlibdeps.
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION "misc")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")

# The manual pages and the documents Debian asks for beside them, installed by the package and by
# `cmake --install` alike: the copyright file (machine-readable), the upstream changelog
# (CHANGELOG.md) and the Debian changelog of the package. The compressed files are made in the
# build tree with `gzip -9n` (no name, no time stamp), so the same sources give the same package.
if(NOT WIN32)
    set(QUILLERY_DEB_VERSION ${PROJECT_VERSION}-${CPACK_DEBIAN_PACKAGE_RELEASE})
    set(QUILLERY_RELEASE_DATE "Tue, 08 Dec 2026 12:00:00 +0000")
    set(docs ${PROJECT_BINARY_DIR}/packaging)
    configure_file(packaging/changelog.Debian.in ${docs}/changelog.Debian.in @ONLY)
    find_program(GZIP_EXECUTABLE gzip REQUIRED)
    set(compressed)
    foreach(pair "packaging/quillery.1|quillery.1" "packaging/quillery-cli.1|quillery-cli.1"
                 "CHANGELOG.md|changelog" "${docs}/changelog.Debian.in|changelog.Debian")
        string(REPLACE "|" ";" pair "${pair}")
        list(GET pair 0 source)
        list(GET pair 1 name)
        get_filename_component(source "${source}" ABSOLUTE BASE_DIR "${PROJECT_SOURCE_DIR}")
        add_custom_command(OUTPUT ${docs}/${name}.gz
            COMMAND ${CMAKE_COMMAND} -E copy ${source} ${docs}/${name}
            COMMAND ${GZIP_EXECUTABLE} -9nf ${docs}/${name}
            DEPENDS ${source}
            COMMENT "Compressing ${name}"
            VERBATIM)
        list(APPEND compressed ${docs}/${name}.gz)
    endforeach()
    add_custom_target(quillery_compressed_docs ALL DEPENDS ${compressed})
    install(FILES ${docs}/quillery.1.gz ${docs}/quillery-cli.1.gz
            DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    install(FILES packaging/copyright ${docs}/changelog.gz ${docs}/changelog.Debian.gz
            DESTINATION ${CMAKE_INSTALL_DOCDIR})
endif()

# A stripped program keeps the compiler's .comment section, which Debian's own packages drop
# (dh_strip); the package does too.
if(NOT WIN32 AND CMAKE_OBJCOPY)
    install(CODE "
        if(CMAKE_INSTALL_DO_STRIP)
            foreach(program quillery quillery-cli)
                set(file \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/\${program}\")
                if(EXISTS \"\${file}\")
                    execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment
                                            --remove-section=.note \"\${file}\")
                endif()
            endforeach()
        endif()")
endif()

# Windows: an NSIS installer with a Start menu entry and the .book file association.
set(CPACK_NSIS_DISPLAY_NAME "Tollvern Quillery")
set(CPACK_NSIS_PACKAGE_NAME "Tollvern Quillery")
set(CPACK_NSIS_MUI_ICON "${PROJECT_SOURCE_DIR}/resources/icons/quillery.ico")
set(CPACK_NSIS_MUI_UNIICON "${PROJECT_SOURCE_DIR}/resources/icons/quillery.ico")
set(CPACK_NSIS_INSTALLED_ICON_NAME "bin\\\\quillery.exe")
set(CPACK_NSIS_URL_INFO_ABOUT "https://www.tollvern.example/quillery/")
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS "
    WriteRegStr HKCU 'Software\\\\Classes\\\\.book' '' 'Tollvern.Quillery.Book'
    WriteRegStr HKCU 'Software\\\\Classes\\\\Tollvern.Quillery.Book' '' 'Quillery book'
    WriteRegStr HKCU 'Software\\\\Classes\\\\Tollvern.Quillery.Book\\\\DefaultIcon' '' '$INSTDIR\\\\bin\\\\quillery.exe,0'
    WriteRegStr HKCU 'Software\\\\Classes\\\\Tollvern.Quillery.Book\\\\shell\\\\open\\\\command' '' '\\\"$INSTDIR\\\\bin\\\\quillery.exe\\\" \\\"%1\\\"'
")
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS "
    DeleteRegKey HKCU 'Software\\\\Classes\\\\Tollvern.Quillery.Book'
    DeleteRegKey HKCU 'Software\\\\Classes\\\\.book'
")
if(WIN32)
    set(CPACK_GENERATOR "NSIS")
else()
    set(CPACK_GENERATOR "DEB")
endif()
include(CPack)
