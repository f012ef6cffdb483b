#!/bin/sh
# Cross-builds the program for 64-bit Windows with Debian's mingw-w64 and tests it under Wine.
#   sh scripts/windows.sh prepare  installs the packages and fetches Qt's sources (all of apt's
#                               part), so that the qt stage can run beside other work.
#   sh scripts/windows.sh qt    builds Qt for Windows once from Debian's qt6-base source package
#                               into ${XDG_CACHE_HOME:-~/.cache}/alvetra/ and prints its prefix;
#                               later runs find it there and take seconds.
#   sh scripts/windows.sh       the qt stage, then alvetra.exe, alvetra-cli.exe and the suites
#                               into ./build-windows, the program's folder into
#                               build-windows/dist/Alvetra, the portable zip and the installer
#                               alvetra-<version>-setup.exe beside it.
#   sh scripts/windows.sh test  the build, then its suites under Wine (a prefix of the build's
#                               own), alvetra-cli.exe through COM ports mapped to simulated units,
#                               its benchmark against the line's limit, the installer and the
#                               installed window (tests/windows/installer.sh) and the window on
#                               laptop screens (scripts/screen-fit.sh).
# ALVETRA_WINDOWS_FLAVOUR=cli builds and tests alvetra-cli.exe and the suites without widgets only.
set -e
cd "$(dirname "$0")/.."
. scripts/packages.sh
toolchain=$(pwd)/cmake/mingw-w64-x86_64.cmake
# window: alvetra.exe, alvetra-cli.exe, the installer and the zip; cli: alvetra-cli.exe and the
# suites without widgets, on a Qt of Core and Test alone (what CI's time allows: docs/windows.md).
flavour=${ALVETRA_WINDOWS_FLAVOUR:-window}
case $flavour in window|cli) ;; *) echo "ALVETRA_WINDOWS_FLAVOUR: window or cli" >&2; exit 2 ;; esac
host_build=${BUILD_DIR:-build}

# Adds a deb-src line for each Debian archive and suite that apt already takes binaries from.
add_deb_src() {
  list=/etc/apt/sources.list.d/alvetra-deb-src.list
  {
    for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
      [ -f "$f" ] && sed -n 's|^[[:space:]]*deb[[:space:]]\(.*/debian.*\)$|deb-src \1|p' "$f"
    done
    for f in /etc/apt/sources.list.d/*.sources; do
      [ -f "$f" ] && awk 'BEGIN { RS = "" }
        {
          types = uris = suites = comps = key = enabled = ""
          n = split($0, line, "\n")
          for (i = 1; i <= n; i++) {
            if (line[i] ~ /^#/) continue
            f = tolower(line[i]); sub(/:.*/, "", f)
            v = line[i]; sub(/^[^:]*:[ \t]*/, "", v)
            if (f == "types") types = v; else if (f == "uris") uris = v
            else if (f == "suites") suites = v; else if (f == "components") comps = v
            else if (f == "signed-by") key = v; else if (f == "enabled") enabled = v
          }
          if (types !~ /(^| )deb( |$)/ || uris !~ /\/debian/ || enabled == "no") next
          opt = key != "" ? "[signed-by=" key "] " : ""
          nu = split(uris, u, " "); ns = split(suites, s, " ")
          for (a = 1; a <= nu; a++) for (b = 1; b <= ns; b++)
            print "deb-src " opt u[a] " " s[b] " " comps
        }' "$f"
    done
  } > "$list"
  echo "Added $list:"
  cat "$list"
}

# What every stage needs: the packages, and Qt's version, options and cache folder; with the
# sources of Qt for Windows fetched unless its build is cached. Everything that uses apt is here,
# so that the build itself can run beside other work.
qt_prepare() {
  start=$(date +%s)
  install_missing cmake ninja-build g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 \
    qt6-base-dev qt6-base-dev-tools dpkg-dev googletest wine wine64 nsis qt6-translations-l10n
  deb_version=$(dpkg-query -W -f='${Version}' qt6-base-dev)  # the host Qt: its tools serve the build
  version=${deb_version%%[+-]*}
  multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
  # Qt Core, Gui, Widgets and Test, and of them only what the program and its suites use: no
  # network, OpenGL, Vulkan, Direct2D, FreeType (Windows draws text itself, with GDI: Qt 6.4's
  # DirectWrite font database builds only with Direct2D), JPEG or GIF, no printing, SQL, D-Bus,
  # XML or Markdown, no HarfBuzz (Polish needs no shaping: its letters are precomposed), none of
  # the widgets the window never shows (graphics view, MDI, calendar, date edit, wizard, font and
  # colour dialogs...). The cli flavour takes Core and Test alone (docs/windows.md has the times).
  options="-DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/$multiarch/cmake
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF"
  if [ "$flavour" = cli ]; then
    options="$options -DFEATURE_gui=OFF -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF
    -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF"
  else
    options="$options
    -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_concurrent=OFF
    -DFEATURE_xml=OFF -DFEATURE_printsupport=OFF -DFEATURE_opengl=OFF -DINPUT_opengl=no
    -DFEATURE_vulkan=OFF -DFEATURE_direct2d=OFF -DFEATURE_directwrite3=OFF
    -DFEATURE_freetype=OFF -DFEATURE_jpeg=OFF
    -DFEATURE_gif=OFF -DFEATURE_tuiotouch=OFF -DFEATURE_tabletevent=OFF
    -DFEATURE_textmarkdownreader=OFF -DFEATURE_textmarkdownwriter=OFF
    -DFEATURE_textodfwriter=OFF -DFEATURE_sessionmanager=OFF -DFEATURE_movie=OFF
    -DFEATURE_harfbuzz=OFF -DFEATURE_graphicsview=OFF -DFEATURE_mdiarea=OFF
    -DFEATURE_calendarwidget=OFF -DFEATURE_datetimeedit=OFF -DFEATURE_lcdnumber=OFF
    -DFEATURE_dial=OFF -DFEATURE_fontcombobox=OFF -DFEATURE_fontdialog=OFF
    -DFEATURE_colordialog=OFF -DFEATURE_wizard=OFF -DFEATURE_undoview=OFF
    -DFEATURE_keysequenceedit=OFF -DFEATURE_splashscreen=OFF -DFEATURE_columnview=OFF
    -DFEATURE_datawidgetmapper=OFF -DFEATURE_syntaxhighlighter=OFF"
  fi
  hash=$( { echo "$deb_version"; echo $options; cat "$toolchain"; } | sha256sum | cut -c1-12)
  cache=${XDG_CACHE_HOME:-$HOME/.cache}/alvetra/qt-$version-mingw-$hash
  qt_prefix=$cache/install
  [ -f "$cache/stamp" ] && return

  mkdir -p "$cache"
  # Qt keeps the toolchain file's path in its qt.toolchain.cmake: a copy in the cache outlives the tree.
  cp "$toolchain" "$cache/toolchain.cmake"
  if [ ! -f "$cache/src/CMakeLists.txt" ]; then
    if ! apt-cache showsrc qt6-base 2>/dev/null | grep -q "^Version: $deb_version\$"; then
      grep -Eqs '^[[:space:]]*(deb-src|Types:.*deb-src)' /etc/apt/sources.list \
        /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources || add_deb_src
      apt-get update
    fi
    rm -rf "$cache/src" "$cache/download"
    mkdir "$cache/download"
    (cd "$cache/download" && apt-get source -q --only-source "qt6-base=$deb_version")
    mv "$cache"/download/qt6-base-*/ "$cache/src"
    rm -rf "$cache/download"
  fi
}

# Qt for Windows, built once per Qt version, option set and toolchain file.
qt_stage() {
  qt_prepare
  if [ -f "$cache/stamp" ]; then
    echo "Qt $version for Windows: $qt_prefix (built before; found in $(($(date +%s) - start)) s)"
    return
  fi

  # shellcheck disable=SC2086 # the options are words
  nice -n 19 cmake -S "$cache/src" -B "$cache/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$cache/toolchain.cmake" -DCMAKE_INSTALL_PREFIX="$cache/install" \
    $options > "$cache/configure.log" || { tail -n 40 "$cache/configure.log"; exit 1; }
  nice -n 19 cmake --build "$cache/build" -- -j2
  rm -rf "$cache/install"
  cmake --install "$cache/build" > "$cache/install.log"
  expected="bin/Qt6Core.dll bin/Qt6Test.dll lib/cmake/Qt6/Qt6Config.cmake"
  [ "$flavour" = cli ] ||
    expected="$expected bin/Qt6Gui.dll bin/Qt6Widgets.dll plugins/platforms/qwindows.dll plugins/styles/qwindowsvistastyle.dll"
  for f in $expected; do
    [ -f "$cache/install/$f" ] || { echo "Qt for Windows lacks $f" >&2; exit 1; }
  done
  seconds=$(($(date +%s) - start))
  printf 'qt6-base %s\n%s\nbuilt in %d s on %s\n' "$deb_version" "$(echo $options)" "$seconds" \
    "$(date -u +%Y-%m-%dT%H:%M:%SZ)" > "$cache/stamp"
  echo "Qt $version for Windows built in $((seconds / 60)) min $((seconds % 60)) s: $cache/install"
}

# The Linux build's part that every platform shares: the pictures and the manual, drawn and
# typeset by programs of ours (the Windows build copies them instead of running its own).
host_stage() {
  sh scripts/deps.sh
  cmake -S . -B "$host_build" -G Ninja $CMAKE_ARGS > /dev/null
  cmake --build "$host_build" --target alvetra_icon alvetra_diagrams alvetra_manual
}

# alvetra.exe, alvetra-cli.exe and the suites, with the Qt above, into ./build-windows.
program_stage() {
  qt_stage
  host_stage
  # A build made with another Qt keeps that Qt's folders in its cache: start it afresh.
  if [ -f build-windows/CMakeCache.txt ] &&
     ! grep -qx "ALVETRA_WINDOWS_PREFIX:[A-Z]*=$qt_prefix" build-windows/CMakeCache.txt; then
    rm -rf build-windows
  fi
  window=ON; [ "$flavour" = cli ] && window=OFF
  cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DALVETRA_WINDOWS_PREFIX="$qt_prefix" -DCMAKE_BUILD_TYPE=Release -DALVETRA_WINDOW=$window \
    -DALVETRA_HOST_BUILD_DIR="$(cd "$host_build" && pwd)" -DALVETRA_BUILD_BENCH=OFF > /dev/null
  cmake --build build-windows
  [ "$flavour" = cli ] || cmake --build build-windows --target windows_zip windows_installer
}

# The Windows build under Wine; Linux's alvetra-unit serves it units, Linux's alvetra-cli reads
# the same unit for comparison, and cli_bench times it.
test_stage() {
  program_stage
  cmake --build "$host_build" --target alvetra-unit alvetra-cli cli_bench
  # One at a time: every Wine program of a prefix talks to its one server, and a busy suite
  # slows the others past their waits. A suite that fails runs once more (its output stays in
  # the log): Wine's wake-ups now and then come later than any native system's.
  if [ "$flavour" = window ]; then
    # The widget suites draw on the Windows platform: Wine shows them on a virtual display.
    install_missing xvfb
    Xvfb :71 -screen 0 1366x768x24 -nolisten tcp >/dev/null 2>&1 &
    display=$!
    WINEPREFIX=$(pwd)/build-windows/wine wineserver -k 2>/dev/null || true   # a server on this display
    DISPLAY=:71 ctest --test-dir build-windows --output-on-failure -j1 --repeat until-pass:2 ||
      { kill $display 2>/dev/null; exit 1; }
    kill $display 2>/dev/null || true
    WINEPREFIX=$(pwd)/build-windows/wine wineserver -k 2>/dev/null || true
  else
    ctest --test-dir build-windows --output-on-failure -j1 --repeat until-pass:2
  fi
  sh tests/windows/com-port.sh "$host_build" build-windows
  "$host_build/bench/cli_bench" --runs 1 --windows build-windows
  [ "$flavour" = cli ] && return
  sh tests/windows/installer.sh "$host_build" build-windows
  sh scripts/screen-fit.sh windows build-windows
}

stage=${1:-all}
case $stage in
  prepare) qt_prepare ;;
  qt)   qt_stage ;;
  all)  program_stage ;;
  test) test_stage ;;
  *)    echo "usage: sh scripts/windows.sh [prepare|qt|test]" >&2; exit 2 ;;
esac
