# What an installation holds beside the programs, and the Debian package (cpack -G DEB,
# behind scripts/package).
include(GNUInstallDirs)

install(FILES ${PROJECT_SOURCE_DIR}/data/ostrakel-configurator.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/ostrakel-configurator.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/data/ostrakel-configurator.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
# udev reads /usr/lib/udev/rules.d; the rule's name orders it before the seat rules.
install(FILES ${PROJECT_SOURCE_DIR}/data/70-ostrakel-ftdi.rules DESTINATION lib/udev/rules.d)

# Manual pages, with the version filled in and compressed as Debian keeps them.
find_program(GZIP gzip REQUIRED)
foreach(page ostrakel-configurator ostrakel-cli ostrakel-sim)
  configure_file(${PROJECT_SOURCE_DIR}/man/${page}.1 ${CMAKE_BINARY_DIR}/man/${page}.1 @ONLY)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/man/${page}.1.gz
                     COMMAND ${GZIP} -9nf -k ${CMAKE_BINARY_DIR}/man/${page}.1
                     DEPENDS ${CMAKE_BINARY_DIR}/man/${page}.1)
  list(APPEND MAN_PAGES ${CMAKE_BINARY_DIR}/man/${page}.1.gz)
endforeach()
add_custom_target(man_pages ALL DEPENDS ${MAN_PAGES})
install(FILES ${MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ostrakel-configurator)
set(CPACK_PACKAGE_VENDOR "Ostrakel")
set(CPACK_PACKAGE_CONTACT "Ostrakel service tools <support@example.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Configurator for lift emergency communicators")
set(CPACK_PACKAGE_DESCRIPTION
    "Reads, edits and writes the parameters of lift emergency communicators (TKV-C, TKV-C2, TKV-C3) and their I/O module, switch board and voice module over the USB service cable; settings files, printing, firmware upgrades, voice messages, remote programming over the telephone line through a BlackBox, and the history of readings. Includes the command-line tool and a device simulator.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The sound previews go through GStreamer; Wayland desktops use Qt's own plugin.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "gstreamer1.0-plugins-base, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/packaging/postinst ${PROJECT_SOURCE_DIR}/packaging/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
