# The Debian package: `scripts/package` (or `cpack -G DEB` in the build
# folder) makes varnholt_VERSION_amd64.deb from the install rules, under
# /usr. The libraries the program links are found by dpkg-shlibdeps; the
# soundfont the music plays with and the fonts of the message boxes are
# named here, since nothing links them.
set(VARNHOLT_MAINTAINER "Varnholt maintainers <maintainers@users.noreply.c-seed-79dd1617.example>"
    CACHE STRING "The Debian package's maintainer, as NAME <ADDRESS>")

# The manual page and the package's changelog go compressed, as Debian
# keeps them.
set(VARNHOLT_MAN_PAGE ${CMAKE_BINARY_DIR}/packaging/varnholt.6.gz)
set(VARNHOLT_CHANGELOG ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
add_custom_command(OUTPUT ${VARNHOLT_MAN_PAGE} ${VARNHOLT_CHANGELOG}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
  COMMAND gzip -9 -n -c ${CMAKE_SOURCE_DIR}/packaging/varnholt.6 > ${VARNHOLT_MAN_PAGE}
  COMMAND gzip -9 -n -c ${CMAKE_SOURCE_DIR}/packaging/changelog > ${VARNHOLT_CHANGELOG}
  DEPENDS ${CMAKE_SOURCE_DIR}/packaging/varnholt.6 ${CMAKE_SOURCE_DIR}/packaging/changelog
  COMMENT "Compressing the manual page and the changelog")
add_custom_target(package_docs ALL DEPENDS ${VARNHOLT_MAN_PAGE} ${VARNHOLT_CHANGELOG})
install(FILES ${VARNHOLT_MAN_PAGE} DESTINATION share/man/man6)
install(FILES ${VARNHOLT_CHANGELOG} ${CMAKE_SOURCE_DIR}/packaging/copyright DESTINATION share/doc/varnholt)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME varnholt)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Varnholt developers")
set(CPACK_PACKAGE_CONTACT ${VARNHOLT_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "top-down action role-playing game in a cave of eight areas")
set(CPACK_PACKAGE_DESCRIPTION
"Varnholt is a single-player, real-time action role-playing game seen from
above. You fall through a pit into a cave of eight areas, fight with a
sword - a quick swing, or a charged blow - level up, and reach the boss.
Three difficulties, one saved game and a best score.

Its pictures, sound effects and music are its own; the music plays
through FluidSynth with the General-MIDI soundfont TimGM6mb.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS timgm6mb-soundfont)
# Debian lets no package depend on X's fonts, only recommend them; apt
# installs what a package recommends unless told not to.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xfonts-base, xfonts-intl-japanese")
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/packaging/games_folder.cmake)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
