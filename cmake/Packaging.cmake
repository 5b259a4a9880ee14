# `make package`: a Debian package of the installed layout, built by CPack,
# with its library dependencies found by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME calvenor)
set(CPACK_PACKAGE_VENDOR "Tolvane Software")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Mortgage calculators for home buyers")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.tolvane.com/")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_FILE_NAME "calvenor_${PROJECT_VERSION}_amd64")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Tolvane Software <support@tolvane.com>")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE amd64)
set(CPACK_DEBIAN_PACKAGE_VERSION ${CLVN_DEBIAN_VERSION})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The help viewer stores its index with Qt's SQLite driver, a plugin the
# library scan cannot see.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, qt6-qpa-plugins")
# CPack writes the summary as the Description's first line and each line of
# this text, one space in, as the long description's lines; tools rewrap
# them, so none starts with a further space.
set(CPACK_PACKAGE_DESCRIPTION
  "Calvenor is a suite of ten mortgage calculators for home buyers: a quick\n\
loan solver, a mortgage qualifier, a loan spread grid, an amortization\n\
schedule with extra payments, estimated closing costs, refinancing, rent\n\
versus buy, biweekly payments, prepayments and a home seller's proceeds\n\
worksheet. Every calculator but the quick one prints a report, first shown\n\
in a print preview, and every page has context help.")
include(CPack)
