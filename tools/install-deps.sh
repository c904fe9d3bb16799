#!/usr/bin/env bash
# Installs every Debian package Tarvik needs to build, run, test and benchmark.
# Idempotent: does nothing when everything is already present.
set -euo pipefail

PACKAGES=(
  build-essential g++ cmake ninja-build pkg-config ccache
  qt6-base-dev qt6-base-dev-tools libqt6svg6 qt6-qpa-plugins libgl-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  libsqlite3-dev
  clang libclang-rt-14-dev
  fonts-liberation hamradio-files
  xvfb xauth xdotool imagemagick poppler-utils
  qt6-translations-l10n
  desktop-file-utils appstream dpkg-dev
  libhamlib-dev libhamlib-utils
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -y -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
