#!/bin/sh
# Fails when a source file includes a header of a layer above its own. The layers, each
# including only itself and those below it:
#
#   alarm                      the settings model: plain values
#   link  -> alarm             frames, transport, reader thread, transactions
#   files -> alarm             settings files, firmware families, car database
#   paper -> alarm             the manual's typesetter and the owner's papers as PDF
#   ops   -> link files alarm  the operations (no widgets)
#   sim   -> link alarm        the simulated unit
#   cli   -> ops sim paper link files alarm   alvetra-cli (no widgets)
#   ui    -> ops paper link files alarm
#   app   -> ui sim ops paper link files alarm
#
# Includes name their layer (`#include "link/Frame.h"`); an include without a layer folder is
# a system or Qt header and is not looked at.
cd "$(dirname "$0")/.."

allowed() {
    case $1 in
        alarm) echo "alarm" ;;
        link) echo "link alarm" ;;
        files) echo "files alarm" ;;
        paper) echo "paper alarm" ;;
        ops) echo "ops link files alarm" ;;
        sim) echo "sim link alarm" ;;
        cli) echo "cli ops sim paper link files alarm" ;;
        ui) echo "ui ops paper link files alarm" ;;
        app) echo "app ui sim ops paper link files alarm" ;;
    esac
}

failed=0
for layer in alarm link files paper ops sim cli ui app; do
    permitted=$(allowed "$layer")
    for file in $(find "src/$layer" -name '*.h' -o -name '*.cpp' | sort); do
        for target in $(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([a-z]*\)\/.*/\1/p' "$file" | sort -u); do
            case " $permitted " in
                *" $target "*) ;;
                *) echo "$file: includes from $target, above its layer $layer" >&2; failed=1 ;;
            esac
        done
    done
done
if [ $failed -ne 0 ]; then
    echo "check-layers: a file includes a layer above its own" >&2
    exit 1
fi
echo "check-layers: every include stays within its layer or below"
