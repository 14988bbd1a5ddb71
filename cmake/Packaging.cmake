# Installing Quorvex the usual way, and a Debian package of it:
#   cmake --install build [--prefix DIR]      (cd build && cpack -G DEB)
#
#   bin/quorvex, bin/quorvex-cli
#   share/man/man1/            quorvex.1.gz, quorvex-cli.1.gz
#   share/doc/quorvex/         copyright, changelog.gz
#   share/quorvex/help/        the help book (also compiled into the program)
#   share/quorvex/music/       the closing tune, found from bin/../share/quorvex
#   share/quorvex/examples/    one input file per command
#   share/quorvex/web/         the page, when the WebAssembly build has made it
#   share/applications/, share/metainfo/, share/icons/hicolor/
# The web addresses and the maintainer come from cmake/Addresses.cmake.

set(quorvex_share ${CMAKE_INSTALL_DATADIR}/quorvex)
set(quorvex_doc ${CMAKE_INSTALL_DATADIR}/doc/quorvex)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/ DESTINATION ${quorvex_share}/examples
        FILES_MATCHING PATTERN "*.txt")
# The page, built by the WebAssembly build (cmake --preset wasm) beside this
# one: a static site that any web server can serve as it is.
# Whether it is there is seen when installing, and said when it is not.
install(CODE "if(NOT EXISTS \"${QUORVEX_SITE}/index.html\")
  message(STATUS \"Not installed: the page (${QUORVEX_SITE}); build it with cmake --preset wasm\")
endif()")
install(DIRECTORY ${QUORVEX_SITE}/ DESTINATION ${quorvex_share}/web OPTIONAL PATTERN .built EXCLUDE)
# What only the window uses: a build without it installs no desktop files.
if(QUORVEX_BUILD_GUI)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/help/ DESTINATION ${quorvex_share}/help)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/music/END.MID DESTINATION ${quorvex_share}/music)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/quorvex.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  # The metainfo names a homepage only when one is configured.
  if(QUORVEX_HOMEPAGE_URL)
    set(QUORVEX_METAINFO_URL "  <url type=\"homepage\">${QUORVEX_HOMEPAGE_URL}</url>\n")
  else()
    set(QUORVEX_METAINFO_URL "")
  endif()
  configure_file(${PROJECT_SOURCE_DIR}/resources/org.quorvex.Quorvex.metainfo.xml.in
                 ${PROJECT_BINARY_DIR}/org.quorvex.Quorvex.metainfo.xml @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/org.quorvex.Quorvex.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endif()

# Manual pages and the Debian changelog are installed compressed, without
# time stamps, as Debian's policy asks.
configure_file(${PROJECT_SOURCE_DIR}/resources/debian/changelog.in
               ${PROJECT_BINARY_DIR}/doc/changelog @ONLY)
set(quorvex_compressed)
foreach(source IN ITEMS ${PROJECT_SOURCE_DIR}/resources/man/quorvex.1
                        ${PROJECT_SOURCE_DIR}/resources/man/quorvex-cli.1
                        ${PROJECT_BINARY_DIR}/doc/changelog)
  get_filename_component(name ${source} NAME)
  set(target ${PROJECT_BINARY_DIR}/doc/${name}.gz)
  add_custom_command(OUTPUT ${target}
    COMMAND gzip -9nc ${source} > ${target}
    DEPENDS ${source} VERBATIM)
  list(APPEND quorvex_compressed ${target})
endforeach()
add_custom_target(quorvex_docs ALL DEPENDS ${quorvex_compressed})
install(FILES ${PROJECT_BINARY_DIR}/doc/quorvex-cli.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
if(QUORVEX_BUILD_GUI)
  install(FILES ${PROJECT_BINARY_DIR}/doc/quorvex.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()
install(FILES ${PROJECT_SOURCE_DIR}/resources/debian/copyright
              ${PROJECT_BINARY_DIR}/doc/changelog.gz
        DESTINATION ${quorvex_doc})

# A stripped package keeps no compiler identification either (.comment).
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    foreach(program quorvex quorvex-cli)
      set(file \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/\${program}\")
      if(EXISTS \"\${file}\")
        execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment \"\${file}\")
      endif()
    endforeach()
  endif()")

set(CPACK_PACKAGE_NAME quorvex)
set(CPACK_PACKAGE_VENDOR "The Quorvex team")
set(CPACK_PACKAGE_CONTACT "${QUORVEX_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "works through the numerical solution of linear systems step by step")
# Lines of at most 80 characters, as Debian's control fields want them.
set(CPACK_PACKAGE_DESCRIPTION
    "Quorvex solves systems of linear equations the way an exercise is worked
by hand: Gauss elimination, LU and square-root methods, the chasing method,
Jacobi, Gauss-Seidel and SOR iterations, determinants, inverses, norms and
matrix tests, each with a worked report. The user interface is in Chinese.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
if(QUORVEX_HOMEPAGE_URL)
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${QUORVEX_HOMEPAGE_URL})
endif()
# The libraries the programs link come from dpkg-shlibdeps; the window also
# needs Qt's display plugins, Qt's Chinese translations, a font with Chinese
# characters and the calligraphic face that stands in for 隶书, and the
# closing tune wants a General MIDI soundfont.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, qt6-translations-l10n, fonts-wqy-zenhei | fonts-noto-cjk, fonts-arphic-ukai")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fluid-soundfont-gm")
# Directories the package shares with others belong to root, mode 755.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_GENERATOR DEB)
include(CPack)
