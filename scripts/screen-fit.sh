#!/bin/sh
# Opens the real window as a new user would (no stored preferences) on the screens and scalings
# laptops have, each on its own Xvfb display with a window manager (openbox) that frames it, and
# checks that the main window opens whole and centred, that the start reminder lies over it and
# that the traffic console (F12) stays on the same screen. A picture of each screen is kept.
#
#   sh scripts/screen-fit.sh linux   [BUILD_DIR] [PICTURES_DIR]   the Linux program (build/alvetra)
#   sh scripts/screen-fit.sh windows [BUILD_DIR] [PICTURES_DIR]   alvetra.exe under Wine
#
# Ends with status 1 when any window reaches past its screen or the main window is not centred.
set -e
cd "$(dirname "$0")/.."
. scripts/packages.sh
install_missing xvfb openbox xdotool x11-utils imagemagick
platform=${1:-linux}
case $platform in
  linux)   build=${2:-build}; program=alvetra ;;
  windows) build=${2:-build-windows}; program=alvetra.exe ;;
  *) echo "usage: sh scripts/screen-fit.sh linux|windows [BUILD_DIR] [PICTURES_DIR]" >&2; exit 2 ;;
esac
build=$(cd "$build" && pwd)
pictures=${3:-${TMPDIR:-/tmp}/alvetra-screens}
mkdir -p "$pictures"
work=$(mktemp -d)
started=""   # what this screen runs: its Xvfb, openbox and the program
stop_screen() { [ -z "$started" ] || kill $started 2>/dev/null || true; started=""; }
cleanup() { stop_screen; rm -rf "$work"; }
trap 'cleanup; exit 1' INT TERM   # not on EXIT: dash runs that trap when a $(...) ends as well

# The program in a folder of its own, so that it starts without stored preferences ("Serkano.ini"
# is kept beside it) and leaves the build's alone; its data and libraries are linked in.
for f in "$build"/*; do ln -s "$(cd "$(dirname "$f")" && pwd)/$(basename "$f")" "$work/"; done
rm -f "$work/$program" "$work/Serkano.ini"
cp "$build/$program" "$work/$program"

failures=0
fail() { echo "  FAIL: $*"; failures=$((failures + 1)); }

# Frame of the newest top-level window named $1, the window manager's frame included
# (_NET_FRAME_EXTENTS: left, right, top, bottom): x y w h.
frame_of() {
  id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -n 1)
  [ -n "$id" ] || return 1
  extents=$(xprop -id "$id" _NET_FRAME_EXTENTS | sed -n 's/.*= *//p' | tr -d ,)
  xwininfo -id "$id" | awk -v e="${extents:-0 0 0 0}" '
    /Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} /Width:/ {w=$2} /Height:/ {h=$2}
    END {split(e, f, " "); print x - f[1], y - f[3], w + f[1] + f[2], h + f[3] + f[4]}'
}

inside() {  # x y w h screen_w screen_h
  [ "$1" -ge 0 ] && [ "$2" -ge 0 ] && [ $(($1 + $3)) -le "$5" ] && [ $(($2 + $4)) -le "$6" ]
}

wait_for() {  # name, tenths of a second
  n=0
  until frame_of "$1" >/dev/null; do
    n=$((n + 1)); [ $n -le "$2" ] || return 1; sleep 0.1
  done
}

display=91
for screen in 1366x768@100 1600x900@100 1920x1080@125 1920x1080@150 3840x2160@200; do
  size=${screen%@*}; percent=${screen#*@}; width=${size%x*}; height=${size#*x}
  scale=$(echo "$percent" | awk '{printf "%g", $1 / 100}')
  export DISPLAY=:$display
  display=$((display + 1))
  Xvfb "$DISPLAY" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
  started="$!"
  sleep 0.5
  openbox >/dev/null 2>&1 &
  started="$started $!"
  sleep 0.5
  echo "== $platform, $width x $height at $percent %"
  rm -f "$work/Serkano.ini"
  if [ "$platform" = linux ]; then
    (cd "$work" && QT_SCALE_FACTOR=$scale exec ./alvetra --simulator >/dev/null 2>&1) &
    started="$started $!"
  else
    # Wine's server and its desktop stay with the display they started on: a new one for each.
    WINEPREFIX=$build/wine wineserver -k 2>/dev/null || true
    # Wine leaves the QT_ variables of Linux out of a Windows program's environment: cmd sets it.
    (cd "$work" && exec "$build/wine-run.sh" cmd /c "set QT_SCALE_FACTOR=$scale&& alvetra.exe --simulator" \
       >/dev/null 2>&1) &
    started="$started $!"
  fi
  if ! wait_for "^Alvetra 1.61$" 300; then
    fail "no window"; stop_screen; continue
  fi
  sleep 1
  set -- $(frame_of "^Alvetra 1.61$")
  main="$1 $2 $3 $4"
  inside $main "$width" "$height" || fail "main window $main reaches past the screen"
  centre_x=$(($1 + $3 / 2 - width / 2)); centre_y=$(($2 + $4 / 2 - height / 2))
  [ ${centre_x#-} -le 2 ] && [ ${centre_y#-} -le 2 ] || fail "main window $main is not centred"
  reminder=$(frame_of "^ff$" || true)
  if [ -n "$reminder" ]; then
    inside $reminder "$width" "$height" || fail "the reminder $reminder reaches past the screen"
  fi
  import -window root "$pictures/$platform-${width}x$height-$percent.png"
  xdotool key Return; sleep 0.5
  xdotool search --onlyvisible --name "^Alvetra 1.61$" windowactivate 2>/dev/null || true; sleep 0.3
  xdotool key F12; sleep 1.5
  console=$(frame_of "^Ruch na" || true)
  if [ -z "$console" ]; then
    fail "no traffic console"
  else
    inside $console "$width" "$height" || fail "the console $console reaches past the screen"
  fi
  import -window root "$pictures/$platform-${width}x$height-$percent-console.png"
  echo "  main window $main; console ${console:-none}"
  stop_screen
  sleep 0.5
done
cleanup
echo "pictures in $pictures"
[ $failures -eq 0 ] || { echo "$failures window(s) do not fit their screen" >&2; exit 1; }
