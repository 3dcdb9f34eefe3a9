# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package (cpack -G DEB; tools/package-deb.sh builds it). The
# libraries it needs are worked out by dpkg-shlibdeps from the programs
# themselves; Depends names only what the programs load at run time, which no
# tool can see.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zenthra)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Zenthra developers")
set(CPACK_PACKAGE_CONTACT "The Zenthra developers <maintainers@zenthra.example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${ZENTHRA_SITE}/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt SQL's SQLite driver is a plugin: the saved births need it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite")
# The program asks for DejaVu Sans; without it Qt picks another font.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop rising sign calculator")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [=[
Zenthra finds the rising sign (ascendant) of a birth: the zodiac sign
rising on the eastern horizon at the moment of birth, in the tropical
zodiac. Type a name, the date and time of birth and the birth place; an
offline atlas of 135,000 places gives the coordinates and the time zone in
force on that date, daylight saving included.

It shows a profile of the rising sign, which sign rises when through the
day, the signs of the Sun and the Moon, and a chart wheel that saves as PNG
or SVG. Births are saved, and move between machines as CSV.

The package also holds zenthra-calc, which computes the same charts on the
command line, one at a time or as a CSV batch.]=])
string(STRIP "${CPACK_DEBIAN_PACKAGE_DESCRIPTION}" CPACK_DEBIAN_PACKAGE_DESCRIPTION)

include(CPack)
