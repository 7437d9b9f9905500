#!/bin/bash
# The mirror the bootstrap reads from apt's sources, and the harness refusing, in one clear
# line, to run the 32-bit build where the emulation is not registered.
# Usage: setup_test.sh SOURCE-DIR
set -u
SRC=$1
T=$(mktemp -d)
trap 'rm -rf "$T"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
expect_eq() { [ "$2" = "$3" ] || fail "$1: expected '$3', got '$2'"; }

# Sources are written with a scheme variable, so no address line stands in this file as such.
S=http

mirror() { APT_SOURCES_DIR=$1 "$SRC/scripts/apt-mirror.sh" 2>"$T/err"; }

# ---- apt-mirror.sh ----
A=$T/apt1; mkdir -p "$A/sources.list.d"
cat >"$A/sources.list.d/debian.sources" <<SRC
Types: deb
# a comment line inside the stanza
URIs: $S://security.example.org/debian-security
Suites: bookworm-security
Components: main

Types: deb-src deb
URIs: $S://mirror.example.org/debian/
Suites: bookworm bookworm-updates
Components: main
SRC
# Our own deb-src file must not be read back (it may hold an old mirror).
printf 'Types: deb-src\nURIs: '"$S"'://old.example.org/debian\n' >"$A/sources.list.d/facelib-deb-src.sources"
expect_eq "deb822: second stanza, trailing slash dropped" "$(mirror "$A")" http://mirror.example.org/debian

A=$T/apt2; mkdir -p "$A/sources.list.d"
printf 'Types: deb-src\nURIs: '"$S"'://src-only.example.org/debian\nSuites: bookworm\n' >"$A/sources.list.d/src.sources"
cat >"$A/sources.list" <<SRC
# deb $S://commented.example.org/debian bookworm main
deb-src $S://src.example.org/debian bookworm main
deb [arch=amd64 signed-by=/usr/share/keyrings/k.gpg] $S://one-line.example.org/debian bookworm main
SRC
expect_eq "one-line format with options; deb-src-only stanza skipped" "$(mirror "$A")" http://one-line.example.org/debian

A=$T/apt3; mkdir -p "$A/sources.list.d"
printf 'Types: deb\nURIs: '"$S"'://example.org/ubuntu\n' >"$A/sources.list.d/other.sources"
if out=$(mirror "$A"); then fail "no Debian mirror: expected failure, got '$out'"; fi
grep -q "no Debian mirror" "$T/err" || fail "no Debian mirror: message missing ($(cat "$T/err"))"

# ---- the harness without emulation ----
# It must fail (never skip) before starting anything, saying why in one line.
harness() { # binfmt-dir arch -> exit status; stderr in $T/err
  FACELIB_BINFMT_DIR=$1 FACELIB_WINEPREFIX=$T/never-made \
    timeout 30 "$SRC/tests/harness/wine-test.sh" --component --name scripts_probe --arch "$2" \
    --bin "$T" --native "$T/native" --source "$SRC" -- missing.exe >"$T/out" 2>"$T/err"
}
refuses() { # case-name binfmt-dir expected-text
  harness "$2" win32
  local rc=$?
  [ $rc -ne 0 ] || fail "$1: harness passed"
  [ "$(wc -l <"$T/err")" -eq 1 ] || fail "$1: expected one line, got: $(cat "$T/err")"
  grep -q "$3" "$T/err" || fail "$1: expected '$3' in: $(cat "$T/err")"
  [ ! -e "$T/never-made" ] || fail "$1: a prefix was made"
  rm -rf "$T/never-made"
}
refuses "binfmt_misc not mounted" "$T/no-such-dir" "binfmt_misc is not mounted"

B=$T/binfmt; mkdir -p "$B"
echo disabled >"$B/status"
refuses "binfmt_misc disabled" "$B" "binfmt_misc is disabled"
echo enabled >"$B/status"
refuses "no qemu-i386 entry" "$B" "no enabled qemu-i386 entry"
printf 'disabled\ninterpreter /opt/emu32/bin/i386-binfmt-P\nflags: POF\n' >"$B/qemu-i386"
refuses "qemu-i386 entry disabled" "$B" "no enabled qemu-i386 entry"
printf 'enabled\ninterpreter %s/gone/qemu\nflags: P\n' "$T" >"$B/qemu-i386"
refuses "interpreter gone, no F flag" "$B" "interpreter .* is missing"

# The 64-bit switch needs no emulation.
if [ -x /usr/lib/wine/wine64 ]; then
  why=$(FACELIB_WINE_ARCH=win64 FACELIB_BINFMT_DIR=$T/no-such-dir bash -c \
        ". '$SRC/tests/harness/wine-env.sh' && wine_arch_ready") || fail "win64 refused: $why"
fi

[ $failures -eq 0 ] && echo "all cases passed"
exit $((failures > 0))
