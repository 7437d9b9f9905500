#!/bin/bash
# Lays out a program folder the way the installed programs expect it:
#   APP\Pelumo.exe Tessel.exe Volte.exe Mienko.dll MienkoAgent.dll (and tools)
#   APP\data\mienko.db   APP\face\   APP\temp\   APP\skin\default\...
# Usage: install-app.sh APP WINBIN NATIVEBUILD SRCDIR
set -eu
APP=$1 WINBIN=$2 NATIVE=$3 SRC=$4
rm -rf "$APP"
mkdir -p "$APP/data" "$APP/face" "$APP/temp" "$APP/skin/default"
# Programs and tools only: test programs are ~10 MB each and wine-test.sh copies the one it
# runs, so copying them all would fill every program folder with dozens of them.
for f in "$WINBIN"/*.exe "$WINBIN"/*.dll; do
  [ -e "$f" ] || continue
  case $(basename "$f") in *_test.exe) continue ;; esac
  cp "$f" "$APP/"
done
# Skins: the hand-written files from the source tree, then the generated images.
[ -d "$SRC/skin/default" ] && cp -r "$SRC/skin/default/." "$APP/skin/default/"
[ -d "$WINBIN/../skin/default" ] && cp -r "$WINBIN/../skin/default/." "$APP/skin/default/"
if [ -x "$NATIVE/tools/mkdb/mkdb" ]; then
  "$NATIVE/tools/mkdb/mkdb" "$APP/data/mienko.db"
fi
