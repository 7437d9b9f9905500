#!/bin/bash
# Checks a 32-bit DLL the way its users will meet it, from objdump's view of the file:
#  - PE32 for i386;
#  - exports exactly the given names, undecorated ("InstallHook", not "_InstallHook@12"),
#    since callers find them with GetProcAddress by those names;
#  - exactly one shared section, and it is initialised, readable and writable data: one copy
#    of its values exists for every process that maps the library (a hook's main program and
#    the process it hooks). Without SHARED each process would see its own zeros;
#  - the shared section starts as zeros (every process's first view of "not installed"), and
#    with --shared-bytes N holds at least N bytes.
# Usage: check-dll.sh [--shared-bytes N] DLL EXPORT...      (OBJDUMP picks another objdump)
# Prints every fault found, one per line; exit status 1 if any.
set -u
OBJDUMP=${OBJDUMP:-i686-w64-mingw32-objdump}
OBJCOPY=${OBJDUMP%objdump}objcopy
MIN_SHARED=1
if [ "${1:-}" = --shared-bytes ]; then MIN_SHARED=$2; shift 2; fi
DLL=$1; shift
faults=0
fault() { echo "check-dll: $(basename "$DLL"): $*"; faults=$((faults + 1)); }
[ -f "$DLL" ] || { fault "no such file: $DLL"; exit 1; }
P=$($OBJDUMP -p "$DLL" 2>&1) || { fault "objdump -p failed: $P"; exit 1; }
H=$($OBJDUMP -h "$DLL" 2>&1) || { fault "objdump -h failed: $H"; exit 1; }

grep -q "file format pei-i386" <<<"$P" || fault "not a 32-bit i386 PE file ($(grep -o 'file format .*' <<<"$P"))"
grep -qE "^Magic[[:space:]]+010b" <<<"$P" || fault "optional header is not PE32 (Magic 010b)"

# The name table: lines "[   N] Name" after "[Ordinal/Name Pointer] Table", up to a blank line.
have=$(awk '/^\[Ordinal\/Name Pointer\] Table/ { on = 1; next }
            on && /^[[:space:]]*$/ { exit }
            on { sub(/^[[:space:]]*\[[[:space:]]*[0-9]+\][[:space:]]*/, ""); print }' <<<"$P" | sort)
want=$(printf '%s\n' "$@" | sort)
if [ "$have" != "$want" ]; then
  fault "exports $(echo $have | tr ' ' ,) instead of $(echo $want | tr ' ' ,)"
fi
decorated=$(grep -E '^_|@[0-9]+$' <<<"$have")
[ -z "$decorated" ] || fault "decorated export names: $(echo $decorated)"

# Sections: a line "Idx Name Size VMA LMA File-off Algn", then its flags on the next line.
shared=$(awk '/^ *[0-9]+ / { name = $2; size = $3; next }
              name != "" { if ($0 ~ /SHARED/) { gsub(/^[[:space:]]+/, ""); print name " " size " " $0 } name = "" }' <<<"$H")
count=$(grep -c . <<<"$shared")
if [ "$count" -eq 0 ]; then
  fault "no shared section"
elif [ "$count" -gt 1 ]; then
  fault "$count shared sections: $(cut -d' ' -f1 <<<"$shared" | tr '\n' ' ')"
else
  read -r name size flags <<<"$shared"
  for f in CONTENTS ALLOC LOAD DATA; do
    grep -qw "$f" <<<"$flags" || fault "shared section $name lacks $f ($flags)"
  done
  grep -qw READONLY <<<"$flags" && fault "shared section $name is read-only ($flags)"
  grep -qw CODE <<<"$flags" && fault "shared section $name holds code ($flags)"
  [ $((16#$size)) -ge "$MIN_SHARED" ] || fault "shared section $name holds $((16#$size)) bytes, less than $MIN_SHARED"
  tmp=$(mktemp); trap 'rm -f "$tmp"' EXIT
  if $OBJCOPY -O binary --only-section="$name" "$DLL" "$tmp" 2>/dev/null; then
    bytes=$(od -An -v -tx1 "$tmp" | tr -d ' \n')
    [ -z "$(tr -d 0 <<<"$bytes")" ] || fault "shared section $name does not start as zeros: $bytes"
  else
    fault "$OBJCOPY cannot read shared section $name"
  fi
fi
[ $faults -eq 0 ] && echo "check-dll: $(basename "$DLL"): PE32, exports $(echo $want | tr ' ' ,), shared section $name ($((16#$size)) bytes)"
exit $((faults > 0))
