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
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The help viewer stores its index with Qt's SQLite driver, a plugin the
# library scan cannot see.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Mortgage calculators for home buyers\n\
 Calvenor is a suite of ten home-buyer mortgage calculators: a quick loan\n\
 solver, a mortgage qualifier, a loan spread grid, an amortization schedule\n\
 with extra payments, estimated closing costs, refinancing, rent versus buy,\n\
 biweekly payments, prepayments and a home seller's proceeds worksheet, with\n\
 printable reports and context help.")
include(CPack)
