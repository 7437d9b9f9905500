# shellcheck shell=bash
# Sourced by the harness scripts: picks the Wine that runs the chosen Windows build.
#   FACELIB_WINE_ARCH=win32 (default)  the shipped i686 build; 32-bit Wine whose loader runs
#                                      under qemu-i386 through binfmt_misc (the machine cannot
#                                      execute 32-bit x86 code itself)
#   FACELIB_WINE_ARCH=win64            the x86_64 build under native wine64
# Sets WINE, WINESERVER (exported: the loader starts that server), WINEARCH, WINELOADER,
# FACELIB_TIME_SCALE (how much slower than native the tests' polls may take) and
# wine_arch_ready, which says in one line why this machine cannot run the build.

export FACELIB_WINE_ARCH=${FACELIB_WINE_ARCH:-win32}
export WINESERVER=/usr/lib/wine/wineserver64     # native server for both: it serves 32-bit clients
export WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="   # no Mono/Gecko prompts
case $FACELIB_WINE_ARCH in
  win32)
    export WINEARCH=win32
    WINE=/usr/lib/wine/wine
    export FACELIB_TIME_SCALE=${FACELIB_TIME_SCALE:-5}
    ;;
  win64)
    export WINEARCH=win64
    WINE=/usr/lib/wine/wine64
    # With wine32 installed, children would otherwise start through the 32-bit loader.
    export WINELOADER=$WINE
    export FACELIB_TIME_SCALE=${FACELIB_TIME_SCALE:-1}
    ;;
  *)
    echo "FACELIB_WINE_ARCH must be win32 or win64, not '$FACELIB_WINE_ARCH'" >&2
    return 2
    ;;
esac

# Binfmt state lives in the kernel and is lost at reboot; scripts/bootstrap.sh restores it.
BINFMT_DIR=${FACELIB_BINFMT_DIR:-/proc/sys/fs/binfmt_misc}
wine_arch_ready() {
  [ -x "$WINE" ] || { echo "$WINE is missing: run scripts/bootstrap.sh as root"; return 1; }
  [ "$FACELIB_WINE_ARCH" = win32 ] || return 0
  local fix="run scripts/bootstrap.sh as root, or FACELIB_WINE_ARCH=win64 for the 64-bit build"
  if [ ! -e "$BINFMT_DIR/status" ]; then
    echo "32-bit Wine cannot start: binfmt_misc is not mounted at $BINFMT_DIR ($fix)"
    return 1
  fi
  if [ "$(cat "$BINFMT_DIR/status" 2>/dev/null)" != enabled ]; then
    echo "32-bit Wine cannot start: binfmt_misc is disabled ($fix)"
    return 1
  fi
  if ! grep -qx enabled "$BINFMT_DIR/qemu-i386" 2>/dev/null; then
    echo "32-bit Wine cannot start: no enabled qemu-i386 entry in $BINFMT_DIR ($fix)"
    return 1
  fi
  local interp
  interp=$(sed -n 's/^interpreter //p' "$BINFMT_DIR/qemu-i386")
  # Flag F keeps the interpreter open, so a vanished file still works; without F it must exist.
  if ! grep -q '^flags:.*F' "$BINFMT_DIR/qemu-i386" && [ ! -x "$interp" ]; then
    echo "32-bit Wine cannot start: the qemu-i386 entry's interpreter $interp is missing ($fix)"
    return 1
  fi
  return 0
}
