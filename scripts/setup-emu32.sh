#!/bin/bash
# Lets this x86_64 machine run 32-bit Wine although it cannot execute 32-bit x86 code: every
# 32-bit Linux process (the Wine loader and each Windows program) runs under qemu-i386 user
# emulation, which binfmt_misc starts for i386 ELF files. Run as root; idempotent. Called by
# scripts/bootstrap.sh on every run, because binfmt registrations vanish at reboot.
#
#   EMU32_DIR   where qemu-i386 is kept (default /opt/emu32)
#
# qemu must be 8.1 or newer: older versions treat mmap(MAP_FIXED_NOREPLACE) as a hint, Wine's
# address-space reservation then goes astray and every 32-bit start fails with "failed to map
# the shared user data". The release's own qemu is too old on bookworm, so the static build from
# its backports suite is fetched with a private apt list: the machine's sources stay untouched.
set -euo pipefail
EMU32_DIR=${EMU32_DIR:-/opt/emu32}
QEMU=$EMU32_DIR/bin/qemu-i386
BINFMT=/proc/sys/fs/binfmt_misc
NAME=qemu-i386
say() { echo "bootstrap: $*"; }
die() { echo "bootstrap: $*" >&2; exit 1; }
HERE=$(cd "$(dirname "$0")" && pwd)

qemu_ok() { # $QEMU exists and is >= 8.1
  [ -x "$QEMU" ] || return 1
  local v
  v=$("$QEMU" --version | sed -n 's/^qemu-i386 version \([0-9]*\)\.\([0-9]*\).*/\1 \2/p')
  set -- $v
  [ "${1:-0}" -gt 8 ] || { [ "${1:-0}" -eq 8 ] && [ "${2:-0}" -ge 1 ]; }
}

if ! qemu_ok; then
  say "fetching qemu-i386 from $(. /etc/os-release && echo "$VERSION_CODENAME")-backports (about 30 s)"
  T=$(mktemp -d)
  trap 'rm -rf "$T"' EXIT
  mkdir -p "$T/parts" "$T/lists/partial" "$T/cache/archives/partial" "$T/x"
  MIRROR=$("$HERE/apt-mirror.sh") || exit 1
  CODENAME=$(. /etc/os-release && echo "$VERSION_CODENAME")
  printf 'Types: deb\nURIs: %s\nSuites: %s-backports\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
    "$MIRROR" "$CODENAME" >"$T/parts/backports.sources"
  APTO=(-o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts="$T/parts"
        -o Dir::State::Lists="$T/lists" -o Dir::Cache="$T/cache" -o APT::Architectures::=amd64
        -o APT::Sandbox::User=root)
  apt-get "${APTO[@]}" -q update >/dev/null
  (cd "$T" && apt-get "${APTO[@]}" -q download qemu-user >/dev/null)
  dpkg-deb -x "$T"/qemu-user_*.deb "$T/x"
  install -D -m 755 "$T/x/usr/bin/qemu-i386" "$QEMU"
  qemu_ok || die "$QEMU is older than 8.1: 32-bit Wine would not start"
fi
ln -sfn qemu-i386 "$EMU32_DIR/bin/i386-binfmt-P"   # the -binfmt-P name makes qemu honour flag P

if [ ! -e "$BINFMT/register" ]; then
  mount -t binfmt_misc binfmt_misc "$BINFMT" 2>/dev/null ||
    die "cannot mount binfmt_misc at $BINFMT: 32-bit Wine cannot run here (FACELIB_WINE_ARCH=win64 tests the 64-bit build instead)"
fi
[ "$(cat "$BINFMT/status")" = enabled ] || echo 1 >"$BINFMT/status"
if [ -e "$BINFMT/$NAME" ] && ! grep -qx "interpreter $EMU32_DIR/bin/i386-binfmt-P" "$BINFMT/$NAME"; then
  say "replacing the $NAME binfmt entry that used $(sed -n 's/^interpreter //p' "$BINFMT/$NAME")"
  echo -1 >"$BINFMT/$NAME"
fi
if [ ! -e "$BINFMT/$NAME" ]; then
  say "registering i386 programs with qemu-i386 in binfmt_misc (instant)"
  # O: pass the open file, P: keep argv[0], F: open the interpreter now (works in containers).
  printf '%s' ":$NAME:M::\\x7fELF\\x01\\x01\\x01\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x02\\x00\\x03\\x00:\\xff\\xff\\xff\\xff\\xff\\xfe\\xfe\\xfc\\xff\\xff\\xff\\xff\\xff\\xff\\xff\\xff\\xfe\\xff\\xff\\xff:$EMU32_DIR/bin/i386-binfmt-P:OPF" >"$BINFMT/register"
fi
[ "$(head -1 "$BINFMT/$NAME")" = enabled ] || echo 1 >"$BINFMT/$NAME"
