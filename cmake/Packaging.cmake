# Installation and packages: the programs, the desktop integration files, the icons, the manual
# pages and the sample catalogue; a .deb through CPack on Debian, an NSIS installer on Windows.
set(CMAKE_INSTALL_DOCDIR share/doc/quillery CACHE PATH "Documentation")
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
    install(FILES packaging/quillery.1 packaging/quillery-cli.1
            DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()
install(DIRECTORY examples/catalogue DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples)

set(CPACK_PACKAGE_NAME "quillery")
set(CPACK_PACKAGE_VENDOR "Tollvern")
set(CPACK_PACKAGE_CONTACT "Tollvern <support@tollvern.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Desktop book catalogue with references, reports and microdata")
set(CPACK_PACKAGE_DESCRIPTION
    "Quillery keeps a catalogue of books as a folder with one small file per book, edits books \
with live previews, formats references with a compact format language and generates HTML \
reports with schema.org microdata and BCP 47 language attributes.")
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
