# Install rules and the Debian package (CPack, DEB generator).
# `cmake --install build` installs under CMAKE_INSTALL_PREFIX; `cpack` in the
# build folder (scripts/package.sh) makes quilby_<version>_<arch>.deb for /usr.
include(GNUInstallDirs)

set(QUILBY_PACKAGE_MAINTAINER "Quilby developers <quilby@example.org>"
    CACHE STRING "Maintainer field of the Debian package")

set(pkg_src ${PROJECT_SOURCE_DIR}/packaging)
set(pkg_bin ${PROJECT_BINARY_DIR}/packaging)
# The program's data folder: help and the MCR message look for
# <bindir>/../share/quilby, so it must stay beside bin.
set(QUILBY_INSTALL_DATADIR ${CMAKE_INSTALL_DATAROOTDIR}/quilby)

install(TARGETS quilby-key RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET quilby)
  install(TARGETS quilby RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(FILES ${PROJECT_SOURCE_DIR}/docs/manual/quilby-manual.html
              ${PROJECT_SOURCE_DIR}/data/Default.key
              ${PROJECT_SOURCE_DIR}/data/MCR.OPN
        DESTINATION ${QUILBY_INSTALL_DATADIR})

# Desktop integration: the entry opens .KEY files, the MIME type makes a
# double-click reach it, the icon in every hicolor size.
install(FILES ${pkg_src}/quilby.desktop DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
install(FILES ${pkg_src}/quilby-mime.xml DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/mime/packages
        RENAME quilby.xml)
install(FILES ${pkg_src}/org.quilby.Quilby.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)
install(FILES ${pkg_src}/icons/quilby.svg
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps)
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES ${pkg_src}/icons/quilby-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${size}x${size}/apps
          RENAME quilby.png)
endforeach()

# Manual pages and the changelog are installed compressed, without a time
# stamp, so two builds give the same package.
find_program(QUILBY_GZIP gzip REQUIRED)
set(pkg_compressed)
foreach(page quilby.1 quilby-key.1)
  add_custom_command(OUTPUT ${pkg_bin}/${page}.gz
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${pkg_bin}
                     COMMAND ${QUILBY_GZIP} -9n -c ${pkg_src}/man/${page} > ${pkg_bin}/${page}.gz
                     DEPENDS ${pkg_src}/man/${page} VERBATIM)
  list(APPEND pkg_compressed ${pkg_bin}/${page}.gz)
  install(FILES ${pkg_bin}/${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
add_custom_command(OUTPUT ${pkg_bin}/changelog.gz
                   COMMAND ${CMAKE_COMMAND} -E make_directory ${pkg_bin}
                   COMMAND ${QUILBY_GZIP} -9n -c ${pkg_src}/debian/changelog > ${pkg_bin}/changelog.gz
                   DEPENDS ${pkg_src}/debian/changelog VERBATIM)
list(APPEND pkg_compressed ${pkg_bin}/changelog.gz)
add_custom_target(quilby_packaging_files ALL DEPENDS ${pkg_compressed})
install(FILES ${pkg_bin}/changelog.gz ${pkg_src}/debian/copyright
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/quilby)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quilby)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${QUILBY_PACKAGE_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${QUILBY_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# CPack indents the lines after the first and writes an empty line as " .".
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "program the key table of a PC-attached POS keyboard
Quilby edits the 98 key positions of a POS keyboard (up to 20 keystrokes
each) by typing them, keeps them as .KEY files shared with the keyboard's
DOS utility, prints keycap labels and downloads the table into the keyboard
through I/O port 0x60. quilby-key reads, checks and converts .KEY files from
the command line and downloads a table from a shell.

The installation grants /usr/bin/quilby and /usr/bin/quilby-key the
CAP_SYS_RAWIO capability so they reach the port without running as root.")
# Shared libraries (Qt, X11, the C++ run-time) are found by dpkg-shlibdeps;
# what the program only loads or starts at run time is named here: the Qt
# platform plugins, the label and dialog fonts, setcap for postinst, and the
# opener of the manual.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n, fonts-nanum, libcap2-bin, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${pkg_src}/debian/postinst)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
