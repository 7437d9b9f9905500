#!/bin/bash
# Creates the shared Wine prefix once (headless settings, CJK fonts) for the Wine that
# FACELIB_WINE_ARCH picks (see wine-env.sh).
# Usage: wine-prefix.sh PREFIX     (safe to call concurrently; a ready prefix returns at once)
set -eu
PFX=$1
HERE=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$(dirname "$PFX")"
exec 9>"$PFX.lock"
flock 9
# The prefix is remade whenever its recipe changes (this script or a .reg file).
# shellcheck source=wine-env.sh
. "$HERE/wine-env.sh"
RECIPE=$( (cat "$0" "$HERE"/*.reg; echo "$FACELIB_WINE_ARCH") | md5sum | cut -d" " -f1)
[ "$(cat "$PFX/.facelib-ready" 2>/dev/null)" = "$RECIPE" ] && exit 0

if [ -d "$PFX" ]; then WINEPREFIX=$PFX $WINESERVER -k 2>/dev/null || true; fi
rm -rf "$PFX"
export WINEPREFIX=$PFX
LOG=$PFX.log
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$PFX.display" >/dev/null 2>&1 &
XPID=$!
trap 'kill $XPID 2>/dev/null; wait $XPID 2>/dev/null; rm -f "$PFX.display"' EXIT
for ((i = 0; i < 200; i++)); do [ -s "$PFX.display" ] && break; sleep 0.05; done
export DISPLAY=:$(head -1 "$PFX.display")

timeout 300 $WINE wineboot -i >"$LOG" 2>&1
$WINE regedit /S "$HERE/headless.reg" >>"$LOG" 2>&1
# Debian's Wine does not find fonts-wine's fonts by itself (caption glyphs come out as letters).
cp -n /usr/share/wine/fonts/*.ttf "$PFX/drive_c/windows/Fonts/" 2>/dev/null || true
$WINE regedit /S "$HERE/cjk_fonts.reg" >>"$LOG" 2>&1
timeout 120 $WINESERVER -w
echo "$RECIPE" >"$PFX/.facelib-ready"
