# SPDX-License-Identifier: GPL-2.0-or-later
# What an installed Caelora brings besides its programs and data: the desktop
# entry, the icon, the AppStream metainfo and the manual pages in their
# standard places; and the Debian package built from that install by CPack
# (cpack -G DEB).
include(GNUInstallDirs)
set(CAELORA_APP_ID org.example.caelora)
set(packaging_dir ${PROJECT_SOURCE_DIR}/packaging)

install(FILES ${packaging_dir}/${CAELORA_APP_ID}.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${packaging_dir}/${CAELORA_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${packaging_dir}/${CAELORA_APP_ID}.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
# The notices and licences of the data the package carries, where Debian
# looks for them.
install(FILES ${packaging_dir}/copyright
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/caelora)
# The manual pages and the Debian changelog, compressed as Debian keeps them:
# gzip -9n stores no name and no time, so the package is the same each build.
set(compressed_dir ${CMAKE_BINARY_DIR}/packaging)
set(compressed_files)
foreach(name caelora.1 caelora-export.1 caelora-render.1 changelog.Debian)
  add_custom_command(OUTPUT ${compressed_dir}/${name}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${compressed_dir}
    COMMAND sh -c "gzip -9n -c \"$1\" > \"$2\"" gzip ${packaging_dir}/${name}
            ${compressed_dir}/${name}.gz
    DEPENDS ${packaging_dir}/${name} VERBATIM)
  list(APPEND compressed_files ${compressed_dir}/${name}.gz)
endforeach()
add_custom_target(caelora_compressed_docs ALL DEPENDS ${compressed_files})
install(FILES ${compressed_dir}/caelora.1.gz ${compressed_dir}/caelora-export.1.gz
  ${compressed_dir}/caelora-render.1.gz
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${compressed_dir}/changelog.Debian.gz
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/caelora)
foreach(size 48 256)
  install(FILES ${packaging_dir}/${CAELORA_APP_ID}-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
    RENAME ${CAELORA_APP_ID}.png)
endforeach()

set(CPACK_PACKAGE_NAME caelora)
set(CPACK_PACKAGE_VENDOR "Caelora")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# The Debian revision: the package's changelog is changelog.Debian.gz.
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "rotating star chart (planisphere) with printable PDF export")
set(CPACK_PACKAGE_DESCRIPTION
  "Caelora shows a planisphere for any latitude from 25 to 80 degrees north or\n\
south: the star disc turns under a horizon mask when you drag it. It exports\n\
a printable two-page PDF to cut out and assemble into a paper planisphere;\n\
caelora-export renders the chart to PNG and writes the PDF without a window;\n\
for a PNG it starts caelora-render, the part that draws with OpenGL.")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Caelora developers <caelora@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://caelora.example.org/")
# The shared libraries (Qt 6, GL, GLU, polyclipping, erfa) as dpkg-shlibdeps finds
# them; the X11 platform plugin and Mesa's drivers are loaded at run time,
# so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libgl1-mesa-dri")
# Qt's own texts (the save dialog, the buttons of message boxes) in the
# language of the language file; without them they are English.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
include(CPack)
