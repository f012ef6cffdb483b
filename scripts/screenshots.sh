#!/bin/sh
# Takes the pictures of the real window that the user manual shows, into docs/manual/: the
# program's window on its simulated unit, under Xvfb when it is installed (offscreen otherwise).
# Run it after a change to the window, look at the pictures, and commit them with the manual;
# the build typesets data/manual/instrukcja.md with them into "Autoalrm Tervona CAN read.pdf".
set -e
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
sh scripts/deps.sh
cmake -S . -B "$build_dir" -G Ninja $CMAKE_ARGS >/dev/null
cmake --build "$build_dir" --target alvetra-screenshots alvetra_diagrams
out=docs/manual
mkdir -p "$out"
shoot="$build_dir/data/manual/alvetra-screenshots $out $build_dir"
if command -v xvfb-run >/dev/null 2>&1; then
  xvfb-run -a -s "-screen 0 1024x768x24" $shoot
else
  QT_QPA_PLATFORM=offscreen $shoot
fi
