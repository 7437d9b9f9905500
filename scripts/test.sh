#!/bin/bash
# Builds everything and runs every test: unit (native), wine (Windows components
# under Wine) and e2e (the real programs under Wine + Xvfb).
# Usage: scripts/test.sh [ctest options...]     e.g. scripts/test.sh -L unit
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${FACELIB_BUILD:-$ROOT/build}
"$ROOT/scripts/bootstrap.sh" "$BUILD"
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DFACELIB_DEPS_DIR="$BUILD/deps" >/dev/null
cmake --build "$BUILD"
cd "$BUILD"
ctest --output-on-failure -j "$(nproc)" "$@"
