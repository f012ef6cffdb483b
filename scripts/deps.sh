#!/bin/sh
# Installs the Debian packages the build, the program and the tests need, when any is missing.
set -e
packages="cmake ninja-build g++ pkg-config qt6-base-dev libqt6serialport6-dev libgl-dev
          libgtest-dev googletest fonts-liberation2 fonts-dejavu-core qt6-translations-l10n libudev-dev
          $EXTRA_PACKAGES"
missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
  echo "Installing:$missing"
  export DEBIAN_FRONTEND=noninteractive
  apt-get install -y $missing || { apt-get update && apt-get install -y $missing; }
fi
