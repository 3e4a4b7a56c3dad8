# Installation into the usual places, and the Debian package.
include(GNUInstallDirs)

set(BDX4_APP_ID com.morvane.bdx4config)

install(TARGETS bdx4config RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET bdx4-sim)
    install(TARGETS bdx4-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(FILES dist/${BDX4_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# Printing is a module the program loads when the user first prints.
install(TARGETS bdx4print LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/bdx4config)
install(FILES dist/${BDX4_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(DIRECTORY dist/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES dist/${BDX4_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The udev rule changes how the system treats a USB serial adapter, so it is installed only on
# request (-DBDX4_INSTALL_UDEV_RULE=ON); the Debian package ships it in its documentation.
option(BDX4_INSTALL_UDEV_RULE "Install the udev rule for the box's USB serial adapter" OFF)
if(BDX4_INSTALL_UDEV_RULE)
    install(FILES dist/60-bdx4.rules DESTINATION lib/udev/rules.d)
else()
    install(FILES dist/60-bdx4.rules DESTINATION ${CMAKE_INSTALL_DOCDIR})
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME bdx4config)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Morvane")
set(CPACK_PACKAGE_CONTACT "bdx4config maintainers <bdx4config@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Configuration utility for the BDX4 band decoder")
set(CPACK_PACKAGE_DESCRIPTION
    "Keeps three band maps and three analog band-voltage tables for the BDX4 band decoder and writes them into the box over a serial line.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
# Depends: every library the programs link, as dpkg-shlibdeps (package dpkg-dev) reads it from the
# packaged binaries, so a new Qt module cannot be forgotten; cmake/CPackChecks.cmake refuses to
# build the package without it. Named here is only what Qt loads at run time, unseen by the
# linker: the SVG icon engine (the program's icon) and the platform plugins. The package check
# in CTest (tests/install/check-package.sh) compares the two with what the programs need.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6 (>= 6.4), qt6-qpa-plugins")
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/CPackChecks.cmake)
# qt6-translations-l10n: Qt's own words (Yes, No, Cancel) in the user's language.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, qt6-translations-l10n")
include(CPack)
