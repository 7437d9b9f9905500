#!/bin/bash
# The main job: prepares the machine, builds everything, then runs the demo scenarios once
# under Wine in a private display (the real picker Pelumo.exe puts faces into a stand-in
# messenger's chat window: a click inserts, a double or right click sends; then the picker's
# toolbar docks beside that messenger's active chat window, right and left) and says where
# their screenshots are.
# Usage: scripts/run.sh            (FACELIB_BUILD picks another build folder)
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${FACELIB_BUILD:-$ROOT/build}
"$ROOT/scripts/bootstrap.sh" "$BUILD"
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DFACELIB_DEPS_DIR="$BUILD/deps" >/dev/null
cmake --build "$BUILD"

SCENARIO=e2e_pelumo_demo
SHOT_PREFIX=e2e_pelumo_sent
SHOTS=$BUILD/screenshots
# Old pictures must not pass for this run's (the harness clears them only once Wine is up).
rm -f "$SHOTS/$SHOT_PREFIX"_*.png "$SHOTS/$SCENARIO-failed.png"
start=$(date +%s%N)
rc=0
sh "$BUILD/pelumo-demo.sh" || rc=$?
ms=$((($(date +%s%N) - start) / 1000000))
elapsed=$((ms / 1000)).$(printf '%03d' $((ms % 1000)))
echo
if [ $rc -eq 0 ]; then
  echo "run: the demo scenario passed in ${elapsed}s"
else
  echo "run: the demo scenario FAILED (exit $rc)"
fi
echo "run: what the messenger logged: $BUILD/wine/runs/$SCENARIO/fakeqq-*.log"
found=0
for shot in "$SHOTS/$SHOT_PREFIX"_*.png "$SHOTS/$SCENARIO-failed.png"; do
  [ -e "$shot" ] || continue
  echo "run: screenshot: $shot"
  found=1
done
[ $found -eq 1 ] || echo "run: no screenshot was taken (see the output above)"

# The toolbar docked beside the chat window.
DOCK=dock_toolbar_e2e_test
rm -f "$SHOTS/$DOCK"_*.png "$SHOTS/$DOCK-failed.png"
drc=0
sh "$BUILD/dock-demo.sh" || drc=$?
echo
if [ $drc -eq 0 ]; then
  echo "run: the docking scenario passed"
else
  echo "run: the docking scenario FAILED (exit $drc)"
  rc=$drc
fi
for shot in "$SHOTS/$DOCK"_*.png "$SHOTS/$DOCK-failed.png"; do
  [ -e "$shot" ] && echo "run: screenshot: $shot"
done
exit $rc
