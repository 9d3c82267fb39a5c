# Installing as a desktop program (executable, menu entry, icons, AppStream data, man page, the
# .mechsim file type and the examples), the Debian package behind `make package`, and the tests
# of the installed files.
include(GNUInstallDirs)

# The component id software centres and desktops know the program by, a reversed domain name
# as they require; the desktop entry and the AppStream data are named after it. The project has
# no domain of its own (PROJECT_WEB_URL is a setting a packager may change, while the id must
# never change), so the id lives under the neutral io.github namespace, in lower case as some
# tools fold ids to it. The command, the icon and the man page keep the program's short name.
set(APP_ID io.github.mechsim.mechsim)
set(DIST_OUT ${CMAKE_BINARY_DIR}/dist)
configure_file(${CMAKE_SOURCE_DIR}/dist/${APP_ID}.metainfo.xml.in
               ${DIST_OUT}/${APP_ID}.metainfo.xml @ONLY)

# The icon is the main menu's four-bar logo, drawn by the same code at build time.
add_executable(mechsim_icon tools/icon.cpp)
target_link_libraries(mechsim_icon PRIVATE app Qt6::Svg)
set(ICON_SIZES 48 128 256)
set(ICON_FILES ${DIST_OUT}/icons/mechsim.svg)
foreach(size ${ICON_SIZES})
  list(APPEND ICON_FILES ${DIST_OUT}/icons/mechsim-${size}.png)
endforeach()
add_custom_command(
  OUTPUT ${ICON_FILES}
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen $<TARGET_FILE:mechsim_icon>
          ${DIST_OUT}/icons
  DEPENDS mechsim_icon
  COMMENT "Drawing the icon")
add_custom_target(dist_files ALL DEPENDS ${ICON_FILES})

# The man page lists the mechanisms, their keys and the columns of their result files as the
# program has them: mechsim_man_mechanisms writes that part from the mechanisms' registration
# and a one-step run of the built program, and man_page.cmake puts it into mechsim.1.in.
add_executable(mechsim_man_mechanisms tools/man_mechanisms.cpp)
target_link_libraries(mechsim_man_mechanisms PRIVATE mechanisms widgets)
add_custom_command(
  OUTPUT ${DIST_OUT}/mechsim.1
  COMMAND ${CMAKE_COMMAND} -DMECHSIM=$<TARGET_FILE:mechsim>
          -DGENERATOR=$<TARGET_FILE:mechsim_man_mechanisms>
          -DINPUT=${CMAKE_SOURCE_DIR}/dist/mechsim.1.in -DOUTPUT=${DIST_OUT}/mechsim.1
          -DRELEASE_DATE=${RELEASE_DATE} -DPROJECT_VERSION=${PROJECT_VERSION}
          -P ${CMAKE_SOURCE_DIR}/dist/man_page.cmake
  DEPENDS mechsim mechsim_man_mechanisms ${CMAKE_SOURCE_DIR}/dist/mechsim.1.in
          ${CMAKE_SOURCE_DIR}/dist/man_page.cmake
  COMMENT "Writing the man page")
add_custom_command(
  OUTPUT ${DIST_OUT}/mechsim.1.gz
  COMMAND gzip -9 -n -c mechsim.1 > mechsim.1.gz
  DEPENDS ${DIST_OUT}/mechsim.1
  WORKING_DIRECTORY ${DIST_OUT})
add_custom_target(man_page ALL DEPENDS ${DIST_OUT}/mechsim.1.gz)

install(TARGETS mechsim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES dist/${APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${DIST_OUT}/${APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${DIST_OUT}/mechsim.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# The .mechsim file type, named after the component as shared-mime-info asks, and the gallery
# of examples the main menu lists.
install(FILES dist/${APP_ID}.mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME ${APP_ID}.xml)
install(DIRECTORY examples/ DESTINATION ${CMAKE_INSTALL_DATADIR}/mechsim/examples
        FILES_MATCHING PATTERN "*.mechsim")
install(FILES ${DIST_OUT}/icons/mechsim.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size ${ICON_SIZES})
  install(FILES ${DIST_OUT}/icons/mechsim-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME mechsim.png)
endforeach()

# The Debian package: version from project(), library dependencies found by dpkg-shlibdeps
# (Qt's xcb platform plugin comes with libqt6gui6), the fonts of the interface and pictures named.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME mechsim)
set(CPACK_PACKAGE_CONTACT "${PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "planar mechanism simulator for teaching")
set(CPACK_PACKAGE_DESCRIPTION
    "A desktop simulator of planar mechanisms with a Japanese user interface: serial arms,
straight-line and circular-arc interpolation of a three-joint arm, a four-bar linkage, a crank
and piston and a parallel mechanism. It computes position, velocity and acceleration of every
point for a whole cycle, writes the table to result.dat, plots time histories and animates the
mechanism. The same program runs any mechanism from the command line.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
include(CPack)

# The installed files as desktops and software centres read them.
add_test(NAME desktop_entry
         COMMAND desktop-file-validate ${CMAKE_SOURCE_DIR}/dist/${APP_ID}.desktop)
# "warning:" fails the test too; a hint does not (two main categories are intended).
set_tests_properties(desktop_entry PROPERTIES FAIL_REGULAR_EXPRESSION "warning:")
# --strict fails on any finding that is not pedantic; a warning or error line fails the test
# as well, whatever exit code the validator gives it.
add_test(NAME metainfo COMMAND appstreamcli validate --no-net --strict
                               ${DIST_OUT}/${APP_ID}.metainfo.xml)
set_tests_properties(metainfo PROPERTIES FAIL_REGULAR_EXPRESSION "(^|\n)[EW]: ")
add_test(NAME man_page_names_options
         COMMAND bash ${CMAKE_SOURCE_DIR}/tests/install/man_page_names_options.sh
                 $<TARGET_FILE:mechsim> ${DIST_OUT}/mechsim.1)
add_test(NAME installed_file_type
         COMMAND bash ${CMAKE_SOURCE_DIR}/tests/install/installed_file_type.sh ${CMAKE_BINARY_DIR})
