#!/bin/bash
# Checks the shipped Mienko.dll as the loader sees it: a PE32 i386 image exporting exactly
# InstallHook and UninstallHook by undecorated name, with one section marked shared that holds
# the five shared values (17 bytes at least) and starts as zeros.
set -u
DLL=$1
fail() { echo "FAIL: $*"; exit 1; }
[ -f "$DLL" ] || fail "no $DLL"
OBJDUMP=objdump
command -v i686-w64-mingw32-objdump >/dev/null && OBJDUMP=i686-w64-mingw32-objdump

HEADERS=$($OBJDUMP -h -p "$DLL") || fail "objdump cannot read $DLL"
grep -q 'file format pei-i386' <<<"$HEADERS" || fail "not a PE32 i386 image"

# Export names: exactly the two, no stdcall decoration (@12, _Name).
EXPORTS=$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$HEADERS" | sed -n 's/^\s*\[ *[0-9]*\] //p' | sort | tr '\n' ' ')
[ "$EXPORTS" = "InstallHook UninstallHook " ] || fail "exports are '$EXPORTS'"

# Sections marked SHARED: exactly one, writable data.
SHARED=$(awk '/^ *[0-9]+ \./ { name=$2; size=$3 } /SHARED/ { print name, size, $0 }' <<<"$HEADERS")
[ "$(grep -c . <<<"$SHARED")" = 1 ] || fail "shared sections: '$SHARED'"
read -r NAME SIZE _ <<<"$SHARED"
grep -q 'READONLY' <<<"$SHARED" && fail "$NAME is read-only"
grep -q 'DATA' <<<"$SHARED" || fail "$NAME is not data"
[ $((16#$SIZE)) -ge 17 ] || fail "$NAME holds $((16#$SIZE)) bytes, the five values need 17"

# Its initial contents are zeros.
TMP=$(mktemp); trap 'rm -f "$TMP"' EXIT
OBJCOPY=${OBJDUMP%objdump}objcopy
$OBJCOPY -O binary --only-section="$NAME" "$DLL" "$TMP" || fail "cannot read $NAME"
BYTES=$(od -An -v -tx1 "$TMP" | tr -d ' \n')
[ ${#BYTES} -ge 34 ] || fail "$NAME read back as '$BYTES'"
[ -z "$(tr -d 0 <<<"$BYTES")" ] || fail "$NAME starts non-zero: $BYTES"
echo "ok: exports $EXPORTS; $NAME ($((16#$SIZE)) bytes, shared, zero)"
