#!/bin/bash
# Prints the Debian mirror this machine's apt sources use (the URI of a "deb" entry whose path
# ends in /debian), so that no script has to name one. Our own entries are ignored.
set -euo pipefail
APT=${APT_SOURCES_DIR:-/etc/apt}
mirror=
for f in "$APT"/sources.list.d/*.sources; do
  [ -f "$f" ] || continue
  case $(basename "$f") in facelib-*) continue ;; esac
  # deb822: a stanza of Types/URIs/...; take the URIs of stanzas whose Types include deb.
  mirror=$(awk '
    /^[[:space:]]*$/ { if (deb && uri != "") { print uri; exit } deb = 0; uri = ""; next }
    /^Types:/ { for (i = 2; i <= NF; i++) if ($i == "deb") deb = 1 }
    /^URIs:/  { for (i = 2; i <= NF; i++) if ($i ~ /\/debian\/?$/ && uri == "") uri = $i }
    END { if (deb && uri != "") print uri }' "$f" | head -1)
  [ -n "$mirror" ] && break
done
if [ -z "$mirror" ]; then
  for f in "$APT"/sources.list "$APT"/sources.list.d/*.list; do
    [ -f "$f" ] || continue
    case $(basename "$f") in facelib-*) continue ;; esac
    mirror=$(sed -n 's/^deb[[:space:]]\+\(\[[^]]*\][[:space:]]\+\)\?\([^[:space:]]*\/debian\/\?\)[[:space:]].*/\2/p' "$f" | head -1)
    [ -n "$mirror" ] && break
  done
fi
[ -n "$mirror" ] || { echo "bootstrap: no Debian mirror found in the apt sources under $APT" >&2; exit 1; }
echo "${mirror%/}"
