# The Debian package, made by `cpack` in the build folder: rallo2_2.0_amd64.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME rallo2)
set(CPACK_PACKAGE_VENDOR "The Rallo2 team")
set(CPACK_PACKAGE_CONTACT "The Rallo2 team <team@rallo2.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "table tennis on a blue court")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://rallo2.org/")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Packs the install rules' one component by name, so that CMake writes its
# list as install_manifest_Unspecified.txt and leaves install_manifest.txt,
# the list of a real `cmake --install`, to remove that install by.
set(CPACK_INSTALL_CMAKE_PROJECTS "${PROJECT_BINARY_DIR};${PROJECT_NAME};Unspecified;/")
# The program ships without its debugging symbols.
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Rallo2 team <team@rallo2.org>")
# Depends: the font the captions are laid out for (a wider one clips them),
# and the libraries the program links.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2 | fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# A sans-serif face for the menu bar and the message boxes (with the
# Liberation fonts alone, fontconfig's sans-serif is Liberation Mono); the
# sound helper plays the theme's sounds through the sound server; Qt's
# Wayland plugin runs the game natively on a Wayland desktop.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "fonts-dejavu-core, sound-theme-freedesktop, libcanberra-pulse, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Below the summary, which is the synopsis line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "A yellow ball flies inside a court walled in white on a blue window, and the
players move their paddles with the keyboard. Three games: one player
against the walls, two people at one keyboard, or one person against the
computer. Options set the ball speed, the paddle size, the computer's skill,
sound on or off, and the length of a game.")

include(CPack)
