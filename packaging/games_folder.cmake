# Run by cpack once the files to pack are in place: Debian keeps the
# programs of games in /usr/games, so the package's program moves there.
# Its data stay in /usr/share/varnholt, which the program finds as
# ../share/varnholt from its own folder all the same.
set(root ${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX})
if(NOT EXISTS ${root}/bin/varnholt)
  message(FATAL_ERROR "No program to move at ${root}/bin/varnholt")
endif()
file(MAKE_DIRECTORY ${root}/games)
file(RENAME ${root}/bin/varnholt ${root}/games/varnholt)
file(REMOVE_RECURSE ${root}/bin)
