# The Debian package: `cpack --config <build>/CPackConfig.cmake -G DEB` (scripts/package makes a
# Release build and runs it with lintian and the desktop validators).

set(CPACK_PACKAGE_NAME corvella)
set(CPACK_PACKAGE_VENDOR Brimwick)
set(CPACK_PACKAGE_CONTACT "Corvella developers <corvella@brimwick.com>")
set(CPACK_PACKAGE_HOMEPAGE_URL https://corvella.brimwick.com/)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "system utility for the Linux desktop tray")
set(CPACK_PACKAGE_DESCRIPTION [=[
Corvella lives in the system tray; its panel gathers the maintenance tools
of a desktop: the installed applications, a task manager with the CPU and
memory load, a cleaner for the trash of every volume and for the Downloads
folder, the applications started at login, a disk manager that ejects,
renames and formats volumes, common folders and web links, volume and
brightness sliders and the power actions.
.
corvella-cli offers every tool on the command line, with plain and JSON
output.]=])
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

set(CPACK_DEBIAN_PACKAGE_NAME corvella)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# A native package: the project makes it itself, so the version has no Debian revision.
set(CPACK_DEBIAN_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# dpkg-shlibdeps finds every library the programs link, among them libqt6svg6 (which also holds
# the SVG icon engine and image plugins every picture of the panel goes through) and libxcb1
# (which corvella-cli opens at run time for the Task Manager's window list), so Depends holds
# nothing by hand. The X11 platform plugin is in libqt6gui6 on Debian 12; qt6-qpa-plugins holds
# only the VNC and TUIO plugins and is not needed.

# Recommended: each serves one part of the programs, and the rest works without it.
# - udisks2: the Disk Manager's volumes, eject, rename and format;
# - libpulse0: the volume slider (opened at run time; PipeWire serves it as well);
# - xdg-utils: xdg-open, for folders, web links and the desktop background settings;
# - qt6-wayland: the panel on a Wayland session without XWayland;
# - pciutils: lspci, for the graphics line of the system information;
# - qt6-translations-l10n: Qt's own texts (standard buttons, option errors) in the user's
#   language; Corvella's own translations are in the package (share/corvella/translations).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "udisks2, libpulse0, xdg-utils, qt6-wayland, pciutils, qt6-translations-l10n")
# The file systems the Disk Manager formats besides ext4 (udisks2 runs their mkfs).
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "dosfstools, exfatprogs")

# Debian wants the copyright file in its machine-readable form and a compressed changelog in the
# package's doc folder, and manual pages compressed: the staging tree gets them just before cpack
# builds the package (a plain `cmake --install` leaves the pages as they are).
execute_process(COMMAND date -u -R -d "${CORVELLA_RELEASE_DATE} 12:00"
                OUTPUT_VARIABLE CORVELLA_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
configure_file(${PROJECT_SOURCE_DIR}/data/debian/changelog.in
               ${PROJECT_BINARY_DIR}/debian/changelog @ONLY)
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/DebianStaging.cmake)
# Read by that script (CPack hands every CPACK_ variable to it).
set(CPACK_CORVELLA_COPYRIGHT ${PROJECT_SOURCE_DIR}/data/debian/copyright)
set(CPACK_CORVELLA_CHANGELOG ${PROJECT_BINARY_DIR}/debian/changelog)

include(CPack)
