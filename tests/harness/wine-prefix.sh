#!/bin/bash
# Creates the shared Wine prefix once (headless settings, CJK fonts).
# 64-bit: this sandbox cannot execute 32-bit x86 code, so the tests run the x86_64 build.
# Usage: wine-prefix.sh PREFIX     (safe to call concurrently; a ready prefix returns at once)
set -eu
PFX=$1
HERE=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$(dirname "$PFX")"
exec 9>"$PFX.lock"
flock 9
# The prefix is remade whenever its recipe changes (this script or a .reg file).
RECIPE=$(cat "$0" "$HERE"/*.reg | md5sum | cut -d" " -f1)
[ "$(cat "$PFX/.facelib-ready" 2>/dev/null)" = "$RECIPE" ] && exit 0

if [ -d "$PFX" ]; then WINEPREFIX=$PFX /usr/lib/wine/wineserver64 -k 2>/dev/null || true; fi
rm -rf "$PFX"
export WINEPREFIX=$PFX WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
LOG=$PFX.log
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$PFX.display" >/dev/null 2>&1 &
XPID=$!
trap 'kill $XPID 2>/dev/null; wait $XPID 2>/dev/null; rm -f "$PFX.display"' EXIT
for ((i = 0; i < 200; i++)); do [ -s "$PFX.display" ] && break; sleep 0.05; done
export DISPLAY=:$(head -1 "$PFX.display")

WINE=/usr/lib/wine/wine64
timeout 300 $WINE wineboot -i >"$LOG" 2>&1
$WINE regedit /S "$HERE/headless.reg" >>"$LOG" 2>&1
# Debian's Wine does not find fonts-wine's fonts by itself (caption glyphs come out as letters).
cp -n /usr/share/wine/fonts/*.ttf "$PFX/drive_c/windows/Fonts/" 2>/dev/null || true
$WINE regedit /S "$HERE/cjk_fonts.reg" >>"$LOG" 2>&1
timeout 120 /usr/lib/wine/wineserver64 -w
echo "$RECIPE" >"$PFX/.facelib-ready"
