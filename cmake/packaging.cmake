# The Debian package: `cpack -G DEB` in a build folder (scripts/test-package.sh builds and tries one).
set(CPACK_PACKAGE_NAME fenwyx)
set(CPACK_PACKAGE_VENDOR "The Fenwyx developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "search, view, compare and print wildland-fuel photo series")
set(CPACK_PACKAGE_DESCRIPTION
    "Fenwyx searches, views, compares and prints the photographs of wildland-fuel photo series: books of field\n"
    "photos, each plot with its measured fuel loadings by size class, duff and fuel-bed depths and fuel-model\n"
    "codes. From four photos it builds a fuel profile, saves it as a .pro file and prints reports.\n"
    "The photo series themselves are installed separately.")
set(FENWYX_PACKAGE_MAINTAINER "The Fenwyx developers <fenwyx@example.org>" CACHE STRING
    "Maintainer field of the Debian package")
set(CPACK_PACKAGE_CONTACT ${FENWYX_PACKAGE_MAINTAINER})
set(CPACK_GENERATOR DEB)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
# The libraries the programs link, found by dpkg-shlibdeps; then what is loaded or used without linking:
# the fonts the reports are laid out in, and Qt's TIFF reader for the photo series' pictures.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, qt6-image-formats-plugins")
# The desktop reads the fuel-profile type and the desktop entry through these; dpkg triggers update them.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils, hicolor-icon-theme")

include(CPack)
