# The Debian package, built by `make package` (cpack in the build folder): everything
# the install rules put under /usr, in Section games, with the program in /usr/games.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME gribo)
set(CPACK_PACKAGE_VENDOR "Gribo developers")
set(CPACK_PACKAGE_CONTACT "Gribo developers <gribo@users.noreply.github.com>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small virtual pet that lives in real time")
set(CPACK_PACKAGE_HOMEPAGE_URL ${PROJECT_HOMEPAGE_URL})
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The summary above is its first line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Gribo starts as a blue egg that beats slowly, then faster, and hatches a
couple of hours later. The baby then needs you: its hunger grows with every
hour, whether the game is open or not. Milk feeds it, meat is a treat, a bath
washes away its droppings and the vet cures a baby that was fed too much.

The game is in French. Its pictures are crisp pixel art, and the pet is saved
at every change.")
# The libraries come from the program itself; the Wayland platform plugin is the
# one the program loads without linking it. The X11 plugin and the GIF reader are
# part of libqt6gui6, and the cry is played through the sound server by libpulse0,
# found by shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The reminder service's autostart entry lies in /etc: the administrator's to change,
# so kept across upgrades.
file(WRITE ${CMAKE_BINARY_DIR}/debian/conffiles "/etc/xdg/autostart/${GRIBO_APP_ID}.Reminders.desktop\n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_BINARY_DIR}/debian/conffiles)
# The program goes to /usr/games, as Debian wants for games (`make install` keeps
# bin/, which is on every user's PATH, ~/.local/bin included).
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/debian_layout.cmake)
set(CPACK_STRIP ${CMAKE_STRIP})

include(CPack)
