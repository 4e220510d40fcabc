# `cpack -G DEB` in the package build (scripts/package.sh) makes the Debian
# package: the program, its help page and the files data/ installs.
set(SONDEX_PACKAGE_MAINTAINER "SONDEX maintainers <maintainers@users.noreply.c-seed-c1e475c3.example>"
    CACHE STRING "Maintainer of the Debian package: name <address>")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME sondex)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "TAVIK SOFT")
set(CPACK_PACKAGE_CONTACT ${SONDEX_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${SONDEX_PACKAGE_MAINTAINER})
# The libraries come from dpkg-shlibdeps; the rest is what the program loads or starts by name.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# MIDI songs need a General MIDI sound font, and windows on X11 or Wayland the platform plugins.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, timgm6mb-soundfont | fluid-soundfont-gm")
# A sound server to record from, Japanese fonts for the windows, a browser
# opener for the help page, and the volume control the recorder can start.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "pulseaudio | pipewire-pulse, fonts-noto-cjk | fonts-japanese-gothic, xdg-utils, pavucontrol")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "sound recorder for WAV files
SONDEX records whatever the sound input carries into WAV files: by hand,
while an audio CD plays track by track, while music files play (MIDI, RMI,
AIF, AU, SND, WAV), and unattended at set times of day with daily,
Monday to Friday and weekly timers. Every recording gets a numbered or
chosen name and a line in the recording log. The user interface is Japanese.")

include(CPack)
