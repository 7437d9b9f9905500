#!/bin/bash
# Builds everything and runs every test: unit (native), wine (Windows components under Wine)
# and e2e (the real programs under Wine + Xvfb), and says how long each phase took.
# Usage: scripts/test.sh [ctest options...]     e.g. scripts/test.sh -L unit
# With ctest options, one ctest run takes them instead of the three layer phases.
#   FACELIB_BUILD      build folder (default build/)
#   FACELIB_WINE_ARCH  win32 (default: what ships, under emulation) or win64 (see README)
#   FACELIB_TEST_JOBS  tests run at once (default: the number of cores)
set -uo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${FACELIB_BUILD:-$ROOT/build}
JOBS=${FACELIB_TEST_JOBS:-$(nproc)}
TIMES=()
failed=()

phase() { # name command... : runs it, records its time; a failed build ends the run
  local name=$1 start rc
  shift
  start=$(date +%s)
  "$@"
  rc=$?
  TIMES+=("$name $(($(date +%s) - start)) s")
  echo "test.sh: $name took $(($(date +%s) - start)) s$([ $rc -eq 0 ] || echo ", FAILED ($rc)")"
  [ $rc -eq 0 ] || failed+=("$name")
  return $rc
}

summary() {
  local IFS=,
  echo "test.sh: phase times: ${TIMES[*]}"
  if [ ${#failed[@]} -gt 0 ]; then
    echo "test.sh: FAILED: ${failed[*]}"
    exit 1
  fi
}

layer() { # label
  (cd "$BUILD" && ctest --output-on-failure -j "$JOBS" -L "^$1\$")
}

phase bootstrap "$ROOT/scripts/bootstrap.sh" "$BUILD" || summary
phase configure cmake -S "$ROOT" -B "$BUILD" -G Ninja -DFACELIB_DEPS_DIR="$BUILD/deps" >/dev/null || summary
# The Windows build first, on its own, so its time shows; then the native one (and win64, if
# the switch asks for it).
phase build-win32 cmake --build "$BUILD" --target win32 || summary
phase build-rest cmake --build "$BUILD" || summary

if [ $# -gt 0 ]; then
  phase ctest bash -c 'cd "$1" && shift && ctest --output-on-failure -j "$0" "$@"' "$JOBS" "$BUILD" "$@"
else
  phase unit layer unit
  phase wine layer wine
  phase e2e layer e2e
fi
summary
