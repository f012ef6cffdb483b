#!/bin/sh
# Takes the pictures of the real window that the user manual shows, into docs/manual/ (and of the
# owner's papers as they print): the
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

# The owner's papers as they print: alvetra-cli sheet of the simulated unit's settings, each
# page drawn from its PDF (poppler's pdftoppm).
cmake --build "$build_dir" --target alvetra-cli
papers=$(mktemp -d)
trap 'rm -rf "$papers"' EXIT
"$build_dir/alvetra-cli" read --simulator --password 1234 -o "$papers/auto.alm" >/dev/null
"$build_dir/alvetra-cli" sheet "$papers/auto.alm" -o "$papers/karta.pdf" --code-card "$papers/kody.pdf" \
  --car-make Audi --car-model "A4 B6" --registration "EL 12345" --vin WAUZZZ8E25A000123 \
  --workshop "Auto-Alarm Nowak" --workshop-address "ul. Polna 3, 90-001 Łódź" --workshop-phone "42 600 00 00" >/dev/null
pdftoppm -r 60 -png -singlefile "$papers/karta.pdf" "$out/karta-montazu"
pdftoppm -r 60 -png -singlefile "$papers/kody.pdf" "$out/karta-kodowa"
