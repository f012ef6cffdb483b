#!/bin/sh
# Builds the Debian package of the program: a release build without tests and benchmarks in
# ./build-package (or $PACKAGE_BUILD_DIR), then cpack. Prints the path of the .deb on its last line.
set -e
cd "$(dirname "$0")/.."
sh scripts/deps.sh
command -v dpkg-shlibdeps >/dev/null 2>&1 || EXTRA_PACKAGES=dpkg-dev sh scripts/deps.sh
build_dir=${PACKAGE_BUILD_DIR:-build-package}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DALVETRA_BUILD_TESTS=OFF -DALVETRA_BUILD_BENCH=OFF $CMAKE_ARGS >/dev/null
cmake --build "$build_dir" -j"$(nproc)"
rm -f "$build_dir"/package/*.deb
(cd "$build_dir" && cpack -G DEB >/dev/null)
deb=$(ls "$build_dir"/package/*.deb)
echo "$(cd "$(dirname "$deb")" && pwd)/$(basename "$deb")"
