#!/bin/sh
# Builds the program and starts it against the built-in simulated alarm unit.
set -e
cd "$(dirname "$0")/.."
sh scripts/build.sh
exec ./build/alvetra --simulator "$@"
