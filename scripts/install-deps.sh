#!/usr/bin/env bash
# Installs every Debian package the recorder needs to build, run and test.
set -euo pipefail
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
packages=(
  build-essential cmake ninja-build pkg-config git
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libqt6opengl6-dev
  libpulse-dev pulseaudio pulseaudio-utils
  libsndfile1-dev libfluidsynth-dev timgm6mb-soundfont
  libcdio-dev libcdio-paranoia-dev
  libgtest-dev libgmock-dev
  clang-14 libclang-rt-14-dev
  fonts-noto-cjk xvfb xauth xdg-utils dbus desktop-file-utils pavucontrol
  appstream dpkg-dev file lintian
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
