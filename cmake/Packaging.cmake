# The Debian package (cpack -G DEB, run by scripts/package). Dependencies on shared libraries come from
# dpkg-shlibdeps; what Qt loads at run time (GStreamer plugins for video, the narrow font of the text list)
# is named here because no linker sees it.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME brisal-client)
set(CPACK_PACKAGE_VENDOR ZEL)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${BRISAL_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${BRISAL_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, fonts-liberation, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "gstreamer1.0-libav, xdg-utils, iputils-ping")
# Debian's control file has one description; the German texts are in the menu entries and AppStream data.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "operator client for a stadium video wall
The operator's program for a stadium video wall (German user interface).
A small launcher opens one page at a time and sends it to the wall server:
the time of day, the running time of a serial timing device, soccer and
American football scores with a game clock, free text, timetables, start
and result lists from COSA and FinishLynx, pictures, videos, the live video
input or a camera of the wall computer.
.
Bedienprogramm für die Videowand im Stadion, mit deutschem Handbuch.
.
Also included: wallsim, a virtual wall for demonstrations and rehearsal,
and wallctl, a command-line wall control for integrators.")
include(CPack)
