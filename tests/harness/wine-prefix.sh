#!/bin/bash
# Makes the Wine prefixes the tests run in (headless settings, CJK fonts), for the Wine that
# FACELIB_WINE_ARCH or --arch picks (see wine-env.sh).
#
#   wine-prefix.sh [--arch A] PREFIX               one prefix at PREFIX
#   wine-prefix.sh [--arch A] --slots N BASE       BASE/template and its copies BASE/slot0..N-1
#   wine-prefix.sh [--arch A] --slot K BASE        BASE/template and BASE/slotK
#
# A prefix is made once and remade whenever its recipe (this script, wine-env.sh, the .reg
# files, the arch) changes. Each parallel test slot has its own copy, so its own wineserver.
# Copies are cheap: the system DLLs (most of the ~600 MB) are hard links to the template's,
# which nothing writes; the registry and settings files are real copies. Safe to call
# concurrently: locks keep one maker per prefix, and a ready prefix returns at once.
set -eu
SLOTS= SLOT=
while [ $# -gt 1 ]; do
  case $1 in
    --arch) FACELIB_WINE_ARCH=$2; shift ;;
    --slots) SLOTS=$2; shift ;;
    --slot) SLOT=$2; shift ;;
    *) echo "wine-prefix: unknown option $1" >&2; exit 2 ;;
  esac
  shift
done
TARGET=${1:?usage: wine-prefix.sh [--arch A] [--slots N | --slot K] PREFIX-or-BASE}
HERE=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=wine-env.sh
. "$HERE/wine-env.sh"
RECIPE=$( (cat "$0" "$HERE/wine-env.sh" "$HERE"/*.reg; echo "$FACELIB_WINE_ARCH") | md5sum | cut -d" " -f1)

ready() { [ "$(cat "$1/.facelib-ready" 2>/dev/null)" = "$RECIPE" ]; }

stop_server() { # prefix: its wineserver and every Wine process in it
  [ -d "$1" ] && WINEPREFIX=$1 $WINESERVER -k 2>/dev/null
  return 0
}

make_prefix() { # prefix
  local PFX=$1
  mkdir -p "$(dirname "$PFX")"
  (
    flock 9
    ready "$PFX" && exit 0
    why=$(wine_arch_ready) || { echo "wine-prefix: $why" >&2; exit 1; }
    echo "wine-prefix: making $FACELIB_WINE_ARCH prefix $PFX (under emulation about 30-90 s)" >&2
    stop_server "$PFX"
    rm -rf "$PFX"
    export WINEPREFIX=$PFX
    LOG=$PFX.log
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$PFX.display" >/dev/null 2>&1 &
    XPID=$!
    trap 'kill $XPID 2>/dev/null; wait $XPID 2>/dev/null; rm -f "$PFX.display"' EXIT
    for ((i = 0; i < 200; i++)); do [ -s "$PFX.display" ] && break; sleep 0.05; done
    export DISPLAY=:$(head -1 "$PFX.display")

    timeout 600 $WINE wineboot -i >"$LOG" 2>&1
    $WINE regedit /S "$HERE/headless.reg" >>"$LOG" 2>&1
    # Debian's Wine does not find fonts-wine's fonts by itself (caption glyphs come out as letters).
    cp -n /usr/share/wine/fonts/*.ttf "$PFX/drive_c/windows/Fonts/" 2>/dev/null || true
    $WINE regedit /S "$HERE/cjk_fonts.reg" >>"$LOG" 2>&1
    timeout 300 $WINESERVER -w
    echo "$RECIPE" >"$PFX/.facelib-ready"
  ) 9>"$PFX.lock"
}

make_slot() { # base slot-number
  local T=$1/template S=$1/slot$2
  (
    flock 9
    ready "$S" && exit 0
    stop_server "$S"
    rm -rf "$S" "$S.tmp"
    mkdir -p "$S.tmp/drive_c"
    # Everything but the Windows folder and the programs tests installed: real copies.
    tar -C "$T" --exclude=./drive_c/windows --exclude=./drive_c/facelib --exclude=./wineserver \
      -cf - . | tar -C "$S.tmp" -xf -
    # The Windows folder: hard links, except the few files Wine may rewrite in place.
    cp -al "$T/drive_c/windows" "$S.tmp/drive_c/"
    find "$T/drive_c/windows" -maxdepth 1 -type f ! -name "*.exe" ! -name "*.dll" -printf "%f\n" |
      while read -r f; do cp --remove-destination "$T/drive_c/windows/$f" "$S.tmp/drive_c/windows/$f"; done
    mv "$S.tmp" "$S"
  ) 9>"$S.lock"
}

if [ -z "$SLOTS" ] && [ -z "$SLOT" ]; then
  make_prefix "$TARGET"
  exit
fi
make_prefix "$TARGET/template"
if [ -n "$SLOT" ]; then
  make_slot "$TARGET" "$SLOT"
else
  for ((k = 0; k < SLOTS; k++)); do make_slot "$TARGET" "$k"; done
fi
