# The Debian package, built by CPack (`cpack -G DEB` in the build folder):
# vantorel_<version>_amd64.deb with the game in /usr/games (where Debian keeps
# games, and where lintian expects the program of a package in the games
# section), the game server in /usr/bin, the data in /usr/share/vantorel
# (found from /usr/games as from any prefix's bin/), the manual pages, and the
# server's systemd unit with its account and folder. The files only the
# package carries are in the component "debian", which a plain
# `cmake --install` leaves out.
set(VANTOREL_DEBIAN_DIR ${VANTOREL_PACKAGING_DIR}/debian)
set(VANTOREL_SYSTEMD_DIR ${VANTOREL_PACKAGING_DIR}/systemd)
set(VANTOREL_DOC_DIR share/doc/vantorel)

install(TARGETS vantorel RUNTIME DESTINATION games COMPONENT debian EXCLUDE_FROM_ALL)

# Manual pages and the changelog go in compressed as Debian wants them, with
# no name or time stamp in the gzip header, so that a package is made the
# same twice.
function(vantorel_gzip input output)
  add_custom_command(OUTPUT ${output} COMMAND gzip -9nc ${input} > ${output} DEPENDS ${input} VERBATIM)
endfunction()
set(man_pages vantorel.6 vantorel-server.1)
set(compressed "")
foreach(page IN LISTS man_pages)
  configure_file(${VANTOREL_PACKAGING_DIR}/man/${page}.in ${CMAKE_BINARY_DIR}/packaging/${page} @ONLY)
  vantorel_gzip(${CMAKE_BINARY_DIR}/packaging/${page} ${CMAKE_BINARY_DIR}/packaging/${page}.gz)
  list(APPEND compressed ${CMAKE_BINARY_DIR}/packaging/${page}.gz)
  string(REGEX MATCH "[0-9]$" section ${page})
  install(FILES ${CMAKE_BINARY_DIR}/packaging/${page}.gz DESTINATION share/man/man${section})
endforeach()
vantorel_gzip(${VANTOREL_DEBIAN_DIR}/changelog ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
add_custom_target(packaging_files ALL DEPENDS ${compressed} ${CMAKE_BINARY_DIR}/packaging/changelog.gz)

install(FILES ${VANTOREL_DEBIAN_DIR}/copyright ${CMAKE_BINARY_DIR}/packaging/changelog.gz
        DESTINATION ${VANTOREL_DOC_DIR} COMPONENT debian EXCLUDE_FROM_ALL)
install(FILES ${VANTOREL_DEBIAN_DIR}/lintian-overrides DESTINATION share/lintian/overrides RENAME vantorel
        COMPONENT debian EXCLUDE_FROM_ALL)
install(FILES ${VANTOREL_SYSTEMD_DIR}/vantorel-server.service DESTINATION lib/systemd/system
        COMPONENT debian EXCLUDE_FROM_ALL)
install(FILES ${VANTOREL_SYSTEMD_DIR}/vantorel-server.sysusers DESTINATION lib/sysusers.d
        RENAME vantorel-server.conf COMPONENT debian EXCLUDE_FROM_ALL)
install(FILES ${VANTOREL_SYSTEMD_DIR}/vantorel-server.tmpfiles DESTINATION lib/tmpfiles.d
        RENAME vantorel-server.conf COMPONENT debian EXCLUDE_FROM_ALL)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vantorel)
set(CPACK_PACKAGE_VENDOR "The Vantorel developers")
set(CPACK_PACKAGE_CONTACT "The Vantorel developers <developers@vantorel-game.net>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "fast arcade shooter in a pink organic cave")
set(CPACK_PACKAGE_DESCRIPTION
    "Slide a condom canon up and down the right edge of a pink, organic cave and
fire at the swarms of sperms and viruses that come at you in formations from
the left. Catch them for points, keep every virus from getting through, and
last out the 90-second clock to win with a bonus. The ten best results form a
local high-score table; the best can be published to an online ranking list.

The package also holds vantorel-server, the game's own server for the news
pages, the error help and the ranking list, with a sandboxed systemd service
that is installed disabled.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# The game's component for bin/ is left out: the package has it in games/.
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_COMPONENTS_ALL Unspecified debian)
set(CPACK_DEBIAN_PACKAGE_NAME vantorel)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.vantorel-game.net/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What dpkg-shlibdeps cannot see: "Arial" and "Courier New" are drawn with
# their metric-compatible Liberation faces; pages open through xdg-open; on a
# Wayland desktop the menu window needs Qt's Wayland platform and the game
# screen's window its decorations from libdecor's plugin (else both fall back
# to XWayland, or the window goes without a title bar).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, qt6-wayland, libdecor-0-plugin-1-cairo")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${VANTOREL_DEBIAN_DIR}/postinst ${VANTOREL_DEBIAN_DIR}/prerm
                                       ${VANTOREL_DEBIAN_DIR}/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
