# Installing Quorvex the usual way, and a Debian package of it:
#   cmake --install build [--prefix DIR]      (cd build && cpack -G DEB)
#
#   bin/quorvex, bin/quorvex-cli
#   share/quorvex/help/        the help book (also compiled into the program)
#   share/quorvex/music/       the closing tune, found from bin/../share/quorvex
#   share/quorvex/examples/    one input file per command
#   share/applications/, share/metainfo/, share/icons/hicolor/

set(quorvex_share ${CMAKE_INSTALL_DATADIR}/quorvex)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/ DESTINATION ${quorvex_share}/examples
        FILES_MATCHING PATTERN "*.txt")
# What only the window uses: a build without it installs no desktop files.
if(QUORVEX_BUILD_GUI)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/help/ DESTINATION ${quorvex_share}/help)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/music/END.MID DESTINATION ${quorvex_share}/music)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/quorvex.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/org.quorvex.Quorvex.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endif()

set(CPACK_PACKAGE_NAME quorvex)
set(CPACK_PACKAGE_VENDOR "The Quorvex team")
set(CPACK_PACKAGE_CONTACT "The Quorvex team <quorvex@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "works through the numerical solution of linear systems step by step")
set(CPACK_PACKAGE_DESCRIPTION
    "Quorvex solves systems of linear equations the way an exercise is worked by hand:
Gauss elimination, LU and square-root methods, the chasing method, Jacobi,
Gauss-Seidel and SOR iterations, determinants, inverses, norms and matrix
tests, each with a worked report. The user interface is in Chinese.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://quorvex.example.org/)
# The libraries the programs link come from dpkg-shlibdeps; the window also
# needs Qt's display plugins and a font with Chinese characters, and the
# closing tune wants a General MIDI soundfont.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-wqy-zenhei | fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fluid-soundfont-gm")

set(CPACK_GENERATOR DEB)
include(CPack)
