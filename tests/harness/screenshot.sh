#!/bin/bash
# Writes a PNG of the whole display $DISPLAY as a person would see it.
#
#   screenshot.sh OUT.png
#
# A plain capture of the root window is not enough under Xvfb: a Wine window mapped over
# another one (a modal dialog, a menu) shows as a black shape in the root's pixels, although
# the window's own contents are right (GetImage on the window returns them; the stacking
# order is right too). So the root is taken first, then every viewable top-level window
# that lies wholly on the screen is pasted over it from its own image, bottom to top.
set -u
OUT=$1
TMP=$(mktemp -d) || exit 1
trap 'rm -rf "$TMP"' EXIT
xwd -root -silent -display "$DISPLAY" 2>/dev/null | xwdtopnm >"$TMP/screen.pnm" 2>/dev/null || exit 1
read -r SW SH < <(pnmfile "$TMP/screen.pnm" | sed -n 's/.*, \([0-9]*\) by \([0-9]*\).*/\1 \2/p')
# xwininfo lists the root's children top first.
ids=$(xwininfo -root -children -display "$DISPLAY" 2>/dev/null |
      awk '/^ +0x[0-9a-f]+ /{print $1}' | tac)
for id in $ids; do
  info=$(xwininfo -id "$id" -display "$DISPLAY" 2>/dev/null) || continue
  grep -q 'Map State: IsViewable' <<<"$info" || continue
  x=$(awk -F: '/Absolute upper-left X/{print $2+0}' <<<"$info")
  y=$(awk -F: '/Absolute upper-left Y/{print $2+0}' <<<"$info")
  w=$(awk -F: '/Width/{print $2+0}' <<<"$info")
  h=$(awk -F: '/Height/{print $2+0}' <<<"$info")
  [ "$w" -gt 1 ] && [ "$h" -gt 1 ] || continue
  [ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ $((x + w)) -le "$SW" ] && [ $((y + h)) -le "$SH" ] || continue
  xwd -id "$id" -silent -display "$DISPLAY" 2>/dev/null | xwdtopnm >"$TMP/window.pnm" 2>/dev/null &&
    pnmpaste "$TMP/window.pnm" "$x" "$y" "$TMP/screen.pnm" >"$TMP/next.pnm" 2>/dev/null &&
    mv "$TMP/next.pnm" "$TMP/screen.pnm"
done
pnmtopng "$TMP/screen.pnm" >"$OUT" 2>/dev/null
