# The Debian package: `cpack -G DEB` in a build tree (scripts/package does it all). The
# package installs under /usr; the libraries it links are found by dpkg-shlibdeps, the
# platform plugins and the fonts the windows ask for are named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kmr5150)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Norvo KMR5150 companion program")
set(CPACK_PACKAGE_CONTACT "KMR5150 companion program developers <kmr5150@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "companion program of the Norvo KMR5150 power meter")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Desktop program for the Norvo KMR5150 single-phase digital power meter: live values,\n\
voltage and current waves, harmonic spectra, measurement and record files, starting test,\n\
alarm limits, CT compensation, calibration and reports. Includes a simulated instrument.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-wqy-microhei, fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${CMAKE_CURRENT_LIST_DIR}/deb/postinst ${CMAKE_CURRENT_LIST_DIR}/deb/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
include(CPack)
