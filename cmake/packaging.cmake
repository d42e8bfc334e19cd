# The Debian package: `cpack -G DEB` in a build folder. Its dependencies are
# computed from the programs' shared libraries by dpkg-shlibdeps (dpkg-dev).
set(CPACK_PACKAGE_NAME zentil-editor)
set(CPACK_PACKAGE_VENDOR "The Zentil Editor developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "sprite sheet and tile editor for handheld console games")
set(CPACK_PACKAGE_DESCRIPTION
    "Zentil Editor turns 8-bit TGA and PNG pictures into sprite pages, grids of equally sized
tiles, lets you cut blocks of tiles out of one page and stamp them into another, trim,
re-lay out and resize tiles, manage 256-colour palettes and transparent colours, preview
animations, save the console's compressed GPF sprite files, and keep a whole session in
one work file.
.
The package also holds zentil-tool, which gives build pipelines the same file formats
without a window.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://zentil-editor.example.org/")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Zentil Editor developers <zentil-editor@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Computed dependencies are added to these: a Korean font, so that the
# editor's texts never show as boxes, and Qt's own Korean texts, so that the
# file dialogs and standard buttons speak Korean with the rest.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-nanum | fonts-noto-cjk, qt6-translations-l10n")

set(CPACK_GENERATOR DEB)
include(CPack)
