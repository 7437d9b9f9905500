#!/bin/bash
# Runs one Windows test program under Wine in a private Xvfb display.
#
#   wine-test.sh --component|--install --name NAME [--arch win32|win64] [--slot K]
#                [--timeout SECONDS] --bin WINBIN --native NATIVEBUILD --source SRCDIR
#                -- PROGRAM.exe [args...]
#
# --arch       which Wine runs WINBIN (see wine-env.sh; default FACELIB_WINE_ARCH or win32)
# --slot       the parallel slot: its prefix NATIVEBUILD/wine/ARCH/slotK has a wineserver of
#              its own (default 0; FACELIB_WINEPREFIX names another prefix instead)
# --timeout    the program is stopped after this long (default 280 s)
# --component  runs WINBIN/PROGRAM.exe as it is.
# --setup CMD  runs CMD APPDIR RUNDIR (Unix paths; APPDIR empty without --install) before
#              the program: test inputs too many to make through Wine (thousands of files)
# --install    first lays out a program folder C:\facelib\NAME inside the prefix the way the
#              programs expect it (executables side by side, data\mienko.db, face\, temp\,
#              skin\default\) and runs PROGRAM.exe from there.
#
# The test program sees (Windows paths):
#   FACELIB_APPDIR   the installed program folder (with --install)
#   FACELIB_RUNDIR   a fresh scratch folder for this run
#   FACELIB_SOURCE   the source tree (read-only test inputs)
#   FACELIB_SHOTS    where screenshots are kept (NATIVEBUILD/screenshots)
# A test asks for a screenshot of the display by creating RUNDIR\shot\NAME.req; the
# harness answers with SHOTS\NAME.png and removes the request.
# On failure a screenshot NAME-failed.png is kept in SHOTS.
set -u
MODE=component
while [ $# -gt 0 ]; do
  case $1 in
    --component) MODE=component ;;
    --install) MODE=install ;;
    --name) NAME=$2; shift ;;
    --arch) FACELIB_WINE_ARCH=$2; shift ;;
    --timeout) LIMIT=$2; shift ;;
    --slot) SLOT=$2; shift ;;
    --setup) SETUP=$2; shift ;;
    --bin) WINBIN=$2; shift ;;
    --native) NATIVE=$2; shift ;;
    --source) SRC=$2; shift ;;
    --) shift; break ;;
    *) echo "wine-test: unknown option $1" >&2; exit 2 ;;
  esac
  shift
done
PROGRAM=$1; shift
HERE=$(cd "$(dirname "$0")" && pwd)

winpath() { # absolute Unix path -> Z:\ path
  echo "Z:$(echo "$1" | tr / '\\')"
}

# shellcheck source=wine-env.sh
. "$HERE/wine-env.sh" || exit 2
why=$(wine_arch_ready) || { echo "wine-test: $why" >&2; exit 1; }
if [ -n "${FACELIB_WINEPREFIX:-}" ]; then
  export WINEPREFIX=$FACELIB_WINEPREFIX
  "$HERE/wine-prefix.sh" "$WINEPREFIX" || { echo "wine-test: prefix setup failed" >&2; exit 1; }
else
  export WINEPREFIX=$NATIVE/wine/$FACELIB_WINE_ARCH/slot${SLOT:=0}
  "$HERE/wine-prefix.sh" --slot "$SLOT" "$NATIVE/wine/$FACELIB_WINE_ARCH" ||
    { echo "wine-test: prefix setup failed" >&2; exit 1; }
fi
# One test per prefix at a time, also across ctest runs (their slot locks are their own).
exec 8>"$WINEPREFIX.busy"
flock 8
# Every process started below gets "8>&-": one that outlived a killed run (a persistent
# wineserver, Xvfb) would otherwise hold the slot's lock for good.
# A test stopped by ctest may have left its programs running in this prefix.
$WINESERVER -k 2>/dev/null

RUN=$NATIVE/wine/runs/$NAME
SHOTS=$NATIVE/screenshots
rm -rf "$RUN"; mkdir -p "$RUN/shot" "$SHOTS"
rm -f "$SHOTS/$NAME"*.png

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$RUN/display" >"$RUN/xvfb.log" 2>&1 8>&- &
XPID=$!
for ((i = 0; i < 200; i++)); do [ -s "$RUN/display" ] && break; sleep 0.05; done
export DISPLAY=:$(head -1 "$RUN/display")

shot() { # file.png
  "$HERE/screenshot.sh" "$1"
}

WATCH= PROG=
cleanup() {
  [ -n "$PROG" ] && kill "$PROG" 2>/dev/null
  [ -n "$WATCH" ] && kill "$WATCH" 2>/dev/null
  $WINESERVER -k 2>/dev/null
  timeout 20 $WINESERVER -w 2>/dev/null
  kill "$XPID" 2>/dev/null; wait "$XPID" 2>/dev/null
}
trap cleanup EXIT
trap 'exit 143' TERM INT

# Screenshot requests from the test program.
(
  while sleep 0.05; do
    for req in "$RUN"/shot/*.req; do
      [ -e "$req" ] || continue
      n=$(basename "$req" .req)
      shot "$SHOTS/$n.png.tmp" && mv "$SHOTS/$n.png.tmp" "$SHOTS/$n.png"
      rm -f "$req"
    done
  done
) 8>&- &
WATCH=$!

export FACELIB_RUNDIR=$(winpath "$RUN")
export FACELIB_SOURCE=$(winpath "$SRC")
export FACELIB_SHOTS=$(winpath "$SHOTS")
$WINESERVER -p 2>/dev/null 8>&-
# The session's desktop first: the test's own first window would otherwise wait for it only
# ten seconds, too short for an emulated Wine on a busy machine.
if [ -f "$WINBIN/WineReady.exe" ] &&
   ! timeout $((40 * FACELIB_TIME_SCALE)) $WINE "$WINBIN/WineReady.exe" $((30 * FACELIB_TIME_SCALE)) 8>&-; then
  echo "wine-test: the Wine desktop did not come up within $((30 * FACELIB_TIME_SCALE)) s" >&2
fi

if [ "$MODE" = install ]; then
  APP=$WINEPREFIX/drive_c/facelib/$NAME
  "$HERE/install-app.sh" "$APP" "$WINBIN" "$NATIVE" "$SRC" || { echo "wine-test: install failed" >&2; exit 1; }
  export FACELIB_APPDIR="C:\\facelib\\$NAME"
  cp "$WINBIN/$PROGRAM" "$APP/"
  cd "$APP"
  EXE=./$PROGRAM
else
  APP=
  cd "$RUN"
  EXE=$WINBIN/$PROGRAM
fi
if [ -n "${SETUP:-}" ]; then
  "$SETUP" "$APP" "$RUN" || { echo "wine-test: setup $SETUP failed" >&2; exit 1; }
fi

# In the background, so that a TERM from ctest runs the traps at once (bash would wait for a
# foreground child first) and no Xvfb or Wine process outlives the test.
timeout -k 5 "${LIMIT:-280}" $WINE "$EXE" "$@" 8>&- &
PROG=$!
wait $PROG
rc=$?
if [ $rc -ne 0 ]; then
  shot "$SHOTS/$NAME-failed.png"
  echo "wine-test: $PROGRAM exited $rc; screenshot $SHOTS/$NAME-failed.png"
fi
exit $rc
