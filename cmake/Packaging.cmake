# The Debian package, made by CPack from the install rules (scripts/package).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME revora2016)
set(CPACK_PACKAGE_VENDOR "Revora")
set(CPACK_PACKAGE_CONTACT "Revora 2016 developers <support@revora.co.za>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Payroll-tax calculator for South Africa, tax year 2016")
set(CPACK_PACKAGE_DESCRIPTION
  "Revora 2016 works out South African employees' tax (PAYE) for monthly, weekly, fortnightly,\n"
  "daily and annual pay with UIF, SDL and the medical scheme fees tax credits, salary packages,\n"
  "the company car fringe benefit and travel allowance, loans and other business calculations\n"
  "for the tax year 1 March 2015 to 29 February 2016, and prints each result as a report.\n"
  "revora-calc runs the same calculations from the command line.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.revora.co.za")
# The libraries the programs link come from dpkg-shlibdeps; what Qt loads at run time as
# plugins (the SQLite driver, the window-system and icon plugins, the media backends) and the
# report font are named here, since no linker sees them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "libqt6sql6-sqlite, qt6-qpa-plugins, libqt6svg6, fonts-dejavu-core, gstreamer1.0-plugins-base, gstreamer1.0-plugins-good")
# The lectures are Windows Media files: playing them from the disk wants these decoders;
# printing straight to a printer wants CUPS.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "gstreamer1.0-plugins-ugly, gstreamer1.0-libav, cups-client")
include(CPack)
