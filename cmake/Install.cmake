# What `cmake --install` lays out for a Linux desktop, and the Debian package made from it.

include(GNUInstallDirs)

# The desktop's name for Vexa: it names the menu entry, the icons and the AppStream file, and
# must not change once released, or desktops take an update for another program.
set(VEXA_APP_ID io.github.vexa_q2.vexa)
# No licence is stated yet: until one is, nobody but the authors may use the code.
set(VEXA_LICENSE LicenseRef-proprietary)
# The day the project version above was set; AppStream lists it beside the version.
set(VEXA_RELEASE_DATE 2026-12-08)

target_compile_definitions(vexa PRIVATE VEXA_VERSION="${PROJECT_VERSION}")

set(desktop_files ${CMAKE_CURRENT_BINARY_DIR}/desktop)
configure_file(resources/vexa.desktop.in ${desktop_files}/${VEXA_APP_ID}.desktop @ONLY)
configure_file(resources/vexa.metainfo.xml.in ${desktop_files}/${VEXA_APP_ID}.metainfo.xml @ONLY)
configure_file(docs/vexa.1.in ${desktop_files}/vexa.1 @ONLY)

install(TARGETS vexa RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${desktop_files}/${VEXA_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
install(FILES ${desktop_files}/${VEXA_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)
install(FILES ${desktop_files}/vexa.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
foreach(size 48 64 128 256)
    install(FILES resources/icons/${size}.png
            DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${size}x${size}/apps
            RENAME ${VEXA_APP_ID}.png)
endforeach()

# `cpack -G DEB` in the build directory: vexa_<version>_amd64.deb, its dependencies read from
# the libraries the program links (dpkg-shlibdeps).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vexa)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Vexa developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "settings editor and launcher for Quake 2")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "Vexa sets Quake 2's console variables and key bindings in one window of tabs,\n"
       "keeps aliases, bindings and settings in profiles, and starts the game with the\n"
       "model, skin, map, saved game, server and mod chosen from what is installed.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
