# The Debian package of the program, made by CPack from the install rules:
#   cpack --preset release        (or: cpack -G DEB in build/release)
# gives viramont_<version>_<arch>.deb. dpkg-shlibdeps finds the libraries the
# binary links; the fonts and Qt's own translations are loaded at run time,
# so they are named here.

set(VIRAMONT_MAINTAINER "Viramont developers <maintainers@viramont.org>"
    CACHE STRING "Maintainer field of the Debian package")

set(CPACK_PACKAGE_NAME viramont)
set(CPACK_PACKAGE_VENDOR "Viramont")
set(CPACK_PACKAGE_CONTACT "${VIRAMONT_MAINTAINER}")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://viramont.org/")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "transformations of function graphs, for school mathematics")
# CPack indents each line of the description as the control file wants.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Viramont shows how the graph of a function changes under the transformation"
  "y = A*f(k*x + b) + C. The pupil picks sin x, cos x, x^2, x^3, ln x or the"
  "logarithm to an integer base, types A, k, b, C and the interval of x, and"
  "sees the formula of the transformed function and both graphs on one set of"
  "axes, the base function in blue and the transformed one in red. The"
  "interface is in Russian.")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Liberation Sans and DejaVu Sans draw the Cyrillic texts; qtbase_ru words
# Qt's own dialogs in Russian.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, fonts-dejavu-core, qt6-translations-l10n")
# The platform plugin for Wayland sessions, where the window then finds its
# desktop entry through the application id.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")

include(CPack)

# The check of the entry, the metainfo and the package, in the release build
# only: a sanitized binary is no package to ship.
if(VIRAMONT_TESTS AND NOT VIRAMONT_SANITIZE)
  add_test(NAME package_check
           COMMAND ${PROJECT_SOURCE_DIR}/scripts/package_check.sh
                   ${PROJECT_BINARY_DIR} ${VIRAMONT_APP_ID} ${PROJECT_VERSION})
  set_tests_properties(package_check PROPERTIES TIMEOUT 300)
endif()
