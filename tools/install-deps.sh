#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages the build, the program and the tests need, when missing.
set -euo pipefail
packages=(cmake g++ make qt6-base-dev libqt6dbus6 libgtest-dev libbenchmark-dev
          fonts-dejavu-core xvfb xdotool xdg-utils x11-utils dbus dbus-daemon imagemagick
          libglib2.0-bin python3 python3-gi gir1.2-glib-2.0 libx11-6 procps
          qt6-qpa-plugins dpkg-dev file desktop-file-utils appstream locales
          at-spi2-core gir1.2-atspi-2.0
          clang clang-format libclang-rt-14-dev llvm libeccodes-dev zip bzip2
          qt6-tools-dev qt6-l10n-tools qt6-translations-l10n lintian xclip
          libidn2-dev pkg-config gpsd gpsd-clients)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then SUDO=(); else SUDO=(sudo); fi
"${SUDO[@]}" apt-get update -qq
"${SUDO[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
