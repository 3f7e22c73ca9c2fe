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

# Two packages from two components. quilby-key is what a headless till
# needs: the command-line tool, the port helper, the shipped data and the
# tool's manual page, without Qt. quilby adds the desktop program and its
# desktop files on top of it.
install(TARGETS quilby-key RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT quilby-key)
if(TARGET quilby)
  install(TARGETS quilby RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT quilby)
endif()
install(FILES ${PROJECT_SOURCE_DIR}/data/Default.key
              ${PROJECT_SOURCE_DIR}/data/MCR.OPN
              ${PROJECT_SOURCE_DIR}/data/quilby-table.schema.json
        DESTINATION ${QUILBY_INSTALL_DATADIR} COMPONENT quilby-key)
install(FILES ${PROJECT_SOURCE_DIR}/docs/manual/quilby-manual.html
              ${PROJECT_SOURCE_DIR}/docs/manual/quilby-manual.en.html
        DESTINATION ${QUILBY_INSTALL_DATADIR} COMPONENT quilby)
# The manual's pictures, beside it as its relative links expect.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/manual/pictures
        DESTINATION ${QUILBY_INSTALL_DATADIR} COMPONENT quilby)
if(QUILBY_QM_FILES)
  install(FILES ${QUILBY_QM_FILES} DESTINATION ${QUILBY_INSTALL_DATADIR}/translations
          COMPONENT quilby)
endif()

# Desktop integration: the entry opens .KEY files, the MIME type makes a
# double-click reach it, the icon in every hicolor size.
install(FILES ${pkg_src}/quilby.desktop DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications
        COMPONENT quilby)
install(FILES ${pkg_src}/quilby-mime.xml DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/mime/packages
        RENAME quilby.xml COMPONENT quilby)
install(FILES ${pkg_src}/org.quilby.Quilby.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo COMPONENT quilby)
install(FILES ${pkg_src}/icons/quilby.svg
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps COMPONENT quilby)
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES ${pkg_src}/icons/quilby-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${size}x${size}/apps
          RENAME quilby.png COMPONENT quilby)
endforeach()

# Manual pages and the changelog are installed compressed, without a time
# stamp, so two builds give the same package.
find_program(QUILBY_GZIP gzip REQUIRED)
set(pkg_compressed)
foreach(page_component quilby.1:quilby quilby-key.1:quilby-key)
  string(REPLACE ":" ";" page_component ${page_component})
  list(GET page_component 0 page)
  list(GET page_component 1 component)
  add_custom_command(OUTPUT ${pkg_bin}/${page}.gz
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${pkg_bin}
                     COMMAND ${QUILBY_GZIP} -9n -c ${pkg_src}/man/${page} > ${pkg_bin}/${page}.gz
                     DEPENDS ${pkg_src}/man/${page} VERBATIM)
  list(APPEND pkg_compressed ${pkg_bin}/${page}.gz)
  install(FILES ${pkg_bin}/${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT ${component})
endforeach()
add_custom_command(OUTPUT ${pkg_bin}/changelog.gz
                   COMMAND ${CMAKE_COMMAND} -E make_directory ${pkg_bin}
                   COMMAND ${QUILBY_GZIP} -9n -c ${pkg_src}/debian/changelog > ${pkg_bin}/changelog.gz
                   DEPENDS ${pkg_src}/debian/changelog VERBATIM)
list(APPEND pkg_compressed ${pkg_bin}/changelog.gz)
add_custom_target(quilby_packaging_files ALL DEPENDS ${pkg_compressed})
# Each package carries the copyright and the changelog in its own doc folder.
foreach(component quilby-key quilby)
  install(FILES ${pkg_bin}/changelog.gz ${pkg_src}/debian/copyright
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${component} COMPONENT ${component})
endforeach()
# No lintian override: every shipped program, the port helper included,
# shows every hardening feature (scripts/check-package.sh fails on any tag).

set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL quilby-key)
if(TARGET quilby)
  list(APPEND CPACK_COMPONENTS_ALL quilby)
endif()
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
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Shared libraries (Qt, X11, libevdev, the C++ run-time) are found by
# dpkg-shlibdeps; what a program only loads or starts at run time is named
# below.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

# CPack indents the lines after the first and writes an empty line as " .".
set(CPACK_DEBIAN_QUILBY-KEY_PACKAGE_NAME quilby-key)
set(CPACK_DEBIAN_QUILBY-KEY_DESCRIPTION
    "program a PC-attached POS keyboard from the command line
quilby-key reads, checks and converts the .KEY files of a POS keyboard (98
key positions, up to 20 keystrokes each), shared with the keyboard's DOS
utility, and downloads a table into the keyboard through I/O port 0x60.
It needs no graphical environment.

The port is reached by one small helper, /usr/libexec/quilby/quilby-port,
the only file given the CAP_SYS_RAWIO capability. Only members of the
system group quilby may run it (adduser NAME quilby adds an operator);
other accounts cannot reprogram the keyboard.")
# adduser makes the group and setcap gives the helper its capability, both
# in postinst. Version 0.1.0's quilby package held /usr/bin/quilby-key, its
# manual page and the data files that this package holds now.
set(CPACK_DEBIAN_QUILBY-KEY_PACKAGE_DEPENDS "adduser, libcap2-bin")
set(CPACK_DEBIAN_QUILBY-KEY_PACKAGE_REPLACES "quilby (<< 0.2.0)")
set(CPACK_DEBIAN_QUILBY-KEY_PACKAGE_BREAKS "quilby (<< 0.2.0)")
set(CPACK_DEBIAN_QUILBY-KEY_PACKAGE_CONTROL_EXTRA
    ${pkg_src}/debian/quilby-key/postinst ${pkg_src}/debian/quilby-key/postrm)

set(CPACK_DEBIAN_QUILBY_PACKAGE_NAME quilby)
set(CPACK_DEBIAN_QUILBY_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_QUILBY_DESCRIPTION
    "program the key table of a PC-attached POS keyboard
Quilby edits the 98 key positions of a POS keyboard (up to 20 keystrokes
each) by typing them, keeps them as .KEY files shared with the keyboard's
DOS utility, prints keycap labels and downloads the table into the keyboard
through I/O port 0x60.

The desktop program holds no privilege of its own: it downloads through
the helper of the quilby-key package, which only members of the group
quilby may run.")
# The helper and the data come from quilby-key of the same build; the Qt
# platform plugins, the label and dialog fonts and the opener of the manual
# are loaded or started at run time.
set(CPACK_DEBIAN_QUILBY_PACKAGE_DEPENDS
    "quilby-key (= ${PROJECT_VERSION}), qt6-qpa-plugins, qt6-translations-l10n, fonts-nanum, xdg-utils")
include(CPack)
