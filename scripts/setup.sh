#!/usr/bin/env bash
# Installs what building and testing Vireok needs and is not installed yet.
# Usage: scripts/setup.sh [extra Debian packages...]
set -euo pipefail

packages=(cmake ninja-build g++ qt6-base-dev libqt6sql6-sqlite libgl-dev libbenchmark-dev
          qt6-translations-l10n fonts-wine fonts-liberation fonts-dejavu-core xvfb xauth x11-utils xdotool
          libhamlib-utils desktop-file-utils appstream lintian dpkg-dev poppler-utils clang-format git
          at-spi2-core dbus-daemon python3-pyatspi "$@")

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
