#!/bin/bash
# Runs EditorBench.exe by hand under Wine in a private Xvfb display and prefix.
#
#   bench/editor/run.sh win64|win32 [FACES] [ROUNDS]
#
# win64: the x86_64 build under native wine64 (configure with -DFACELIB_WINE_ARCH=win64, then
#        cmake --build build/win64 --target EditorBench); win32: the shipped i686 build under
#        emulated 32-bit Wine (cmake --build build/win32 --target EditorBench).
set -eu
ARCH=${1:?usage: run.sh win64|win32 [FACES] [ROUNDS]}; shift
SRC=$(cd "$(dirname "$0")/../.." && pwd)
BUILD=${FACELIB_BUILD:-$SRC/build}
EXE=$BUILD/$ARCH/bench/editor/EditorBench.exe
[ -f "$EXE" ] || { echo "run.sh: build $EXE first" >&2; exit 1; }
export FACELIB_WINE_ARCH=$ARCH
# shellcheck source=../../tests/harness/wine-env.sh
. "$SRC/tests/harness/wine-env.sh"
export WINEPREFIX=$BUILD/wine/$ARCH/bench
"$SRC/tests/harness/wine-prefix.sh" "$WINEPREFIX"
WORK=$WINEPREFIX/drive_c/editorbench
mkdir -p "$WORK"
cp "$EXE" "$WORK/"
rm -rf "$WORK/editorbench" "$WORK/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$WORK/display" >/dev/null 2>&1 &
XPID=$!
trap '$WINESERVER -k 2>/dev/null; kill $XPID 2>/dev/null' EXIT
for ((i = 0; i < 200; i++)); do [ -s "$WORK/display" ] && break; sleep 0.05; done
export DISPLAY=:$(head -1 "$WORK/display")
cd "$WORK"
# The session's desktop first (see tests/harness/README.md): windows fail without it.
[ -f "$BUILD/$ARCH/bin/WineReady.exe" ] && $WINE "$BUILD/$ARCH/bin/WineReady.exe" 60
$WINE ./EditorBench.exe "$@"
