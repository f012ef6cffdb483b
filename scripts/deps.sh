#!/bin/sh
# Installs the Debian packages the build, the program and the tests need, when any is missing
# (poppler-utils: the tests read the PDF papers back with pdftotext and pdffonts).
set -e
. "$(dirname "$0")/packages.sh"
install_missing cmake ninja-build g++ pkg-config qt6-base-dev qt6-serialport-dev libgl-dev \
  libgtest-dev googletest fonts-liberation2 fonts-dejavu-core qt6-translations-l10n libudev-dev poppler-utils \
  $EXTRA_PACKAGES
