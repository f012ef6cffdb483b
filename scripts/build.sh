#!/bin/sh
# Configures and builds into ./build (or $BUILD_DIR) with Ninja.
set -e
cd "$(dirname "$0")/.."
sh scripts/deps.sh
build_dir=${BUILD_DIR:-build}
cmake -S . -B "$build_dir" -G Ninja $CMAKE_ARGS >/dev/null
cmake --build "$build_dir" -j"$(nproc)"
