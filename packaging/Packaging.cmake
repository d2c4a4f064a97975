# Install rules and the Debian package. Included from the top CMakeLists.txt.
include(GNUInstallDirs)

install(TARGETS lptseg lptseg-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

if(NOT UNIX OR APPLE)
  return()
endif()

set(LPTSEG_APP_ID "org.example.lptseg" CACHE STRING "AppStream id of lptseg (reverse DNS)")
# The package's maintainer, also the author of the changelog entry.
set(CPACK_PACKAGE_CONTACT "lptseg maintainers <maintainers@lptseg.example.org>")

set(packaging_in ${CMAKE_CURRENT_LIST_DIR})
set(packaging_out ${CMAKE_BINARY_DIR}/packaging)

configure_file(${packaging_in}/lptseg.1.in ${packaging_out}/lptseg.1 @ONLY)
configure_file(${packaging_in}/changelog.in ${packaging_out}/changelog @ONLY)
configure_file(${packaging_in}/lptseg.metainfo.xml.in
               ${packaging_out}/${LPTSEG_APP_ID}.metainfo.xml @ONLY)

# The 48x48 icon is drawn from the SVG, so the two never disagree. Only the
# install and the package need it, so a build of just the two programs (make
# run) goes ahead without rsvg-convert; drawing the icon then fails by name.
find_program(RSVG_CONVERT rsvg-convert)
if(NOT RSVG_CONVERT)
  message(STATUS "rsvg-convert not found (librsvg2-bin): the icon cannot be drawn, only the programs built")
  set(RSVG_CONVERT rsvg-convert)
endif()
add_custom_command(
  OUTPUT ${packaging_out}/lptseg.png
  COMMAND ${RSVG_CONVERT} -w 48 -h 48 -o ${packaging_out}/lptseg.png ${packaging_in}/lptseg.svg
  DEPENDS ${packaging_in}/lptseg.svg
  COMMENT "Drawing the 48x48 icon")
add_custom_target(lptseg_icon ALL DEPENDS ${packaging_out}/lptseg.png)

# Debian installs man pages and changelogs compressed, with no name or time
# stamp in the gzip header so that the package builds the same every time.
set(gzipped)
foreach(file ${packaging_out}/lptseg.1 ${packaging_in}/lptseg-sim.1 ${packaging_out}/changelog)
  get_filename_component(name ${file} NAME)
  add_custom_command(
    OUTPUT ${packaging_out}/gz/${name}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${file} ${packaging_out}/gz/${name}
    COMMAND gzip -9nf ${packaging_out}/gz/${name}
    DEPENDS ${file}
    VERBATIM)
  list(APPEND gzipped ${packaging_out}/gz/${name}.gz)
endforeach()
add_custom_target(lptseg_gzipped ALL DEPENDS ${gzipped})

install(FILES ${packaging_in}/lptseg.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${packaging_in}/lptseg.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${packaging_out}/lptseg.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/48x48/apps)
install(FILES ${packaging_out}/${LPTSEG_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${packaging_out}/gz/lptseg.1.gz ${packaging_out}/gz/lptseg-sim.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES README.md ${packaging_in}/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
# Built here rather than from a separate upstream release, the package is
# Debian-native (version without a revision), so its changelog is changelog.gz.
install(FILES ${packaging_out}/gz/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(DIRECTORY docs/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/docs)
# ppdev at every boot, and the user at the machine's seat allowed to open the
# ports and FTDI adapters. Both are the system's, outside PREFIX/share.
install(FILES ${packaging_in}/lptseg-modules.conf DESTINATION lib/modules-load.d RENAME lptseg.conf)
install(FILES ${packaging_in}/70-lptseg.rules DESTINATION lib/udev/rules.d)

# Debian package. Library dependencies come from dpkg-shlibdeps; the fonts the
# window asks for by name are not linked, so they are listed by hand.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lptseg)
set(CPACK_PACKAGE_VENDOR "lptseg")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "seven-segment LED display on the parallel port")
set(CPACK_PACKAGE_DESCRIPTION "lptseg drives one seven-segment LED display wired to the\n\
data lines of a PC parallel port, through libieee1284 and the kernel's ppdev\n\
driver, or through an FTDI FT232R or FT245R USB adapter. The package loads\n\
ppdev at boot and lets the user at the machine open the ports and adapters.\n\
lptseg-sim shows the same window and prints every port write on standard\n\
output.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")
# postinst loads ppdev and applies the udev rules at once; postrm takes the rules back.
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${packaging_in}/postinst ${packaging_in}/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
