# The Debian package: cpack -G DEB in the build folder (scripts/build-deb.sh).
# Its library dependencies come from the binaries (dpkg-shlibdeps).
set(CPACK_PACKAGE_NAME quellix-touch)
set(CPACK_PACKAGE_VENDOR "ZAV")
set(CPACK_PACKAGE_CONTACT "ZAV Quellix Touch team <quellix-touch@zav.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for the touch panels of a lighting-control network")
# The summary above is the first line; this is the text below it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "An installer designs the sixteen screens of a touch panel (buttons, pilot
lights, sliders, texts, value boxes and bar graphs on a picture or colour
background), downloads the configuration to the panel over a serial line and
writes pictures and configuration onto the panel's SD card.
Also contains the command-line tool quellix and the panel simulator
quellix-panel-sim.")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Not found by shlibdeps: the Arial-compatible font the hand-over report is
# set in. (The panel's pictures use the font the programs carry; the X11
# window-system plugin comes with libqt6gui6.)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
# Writing a card without rights of one's own goes through udisks2.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "udisks2, qt6-wayland")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
include(CPack)
