#!/bin/sh
# A short fault soak (docs/reliability.md) at the default faults: fails when a must-be-zero figure
# (mismatches, unreported failures, hangs) is not zero or a success rate falls under its goal.
#   sh scripts/soak.sh [CYCLES] [SEED]
set -e
cd "$(dirname "$0")/.."
build="${BUILD_DIR:-build}"
cmake --build "$build" --target alvetra-soak
QT_QPA_PLATFORM=offscreen "$build/bench/soak/alvetra-soak" --cycles "${1:-30}" --seed "${2:-7}" \
  --goal-connects 100 --goal-groups 99
