# The Debian package: `cpack -G DEB` in the build folder makes
# paperwisp_<version>_<arch>.deb of everything `cmake --install` installs,
# under /usr, with the shared libraries it needs as its dependencies.
set(CPACK_PACKAGE_NAME paperwisp)
set(CPACK_PACKAGE_VENDOR "The Paperwisp developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Sticky notes and reminders for the desktop")
set(CPACK_PACKAGE_CONTACT "Paperwisp developers <paperwisp@localhost>")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Without the debugging symbols of a RelWithDebInfo build.
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The collapse, expand and reminder sounds play through GStreamer.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "gstreamer1.0-plugins-base, gstreamer1.0-plugins-good")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Small coloured notes with rich text that stay on the desktop between runs,
with reminders, expiry into a trash bin and ten templates, managed from the
notification area. The notes are kept in dBASE IV tables; pwdbf inspects and
checks them.")
include(CPack)
