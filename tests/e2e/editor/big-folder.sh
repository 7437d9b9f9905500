#!/bin/bash
# Setup of e2e_editor_folder_test (run by the harness before the test, APPDIR RUNDIR): the
# 4,956 empty text files of the 5,000-file folder; the test writes the pictures and the other
# odd files itself. Made here because through emulated Wine each file costs tens of ms.
set -eu
DIR="$1/导入 表情"
mkdir -p "$DIR"
cd "$DIR"
for ((i = 44; i < 5000; ++i)); do : >"note$i.txt"; done
