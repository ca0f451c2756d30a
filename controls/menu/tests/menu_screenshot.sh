#!/usr/bin/env bash
# menu_screenshot.sh <build tree> <wine loader> <demo program> <scratch folder>
# Runs the popup demo under Wine, takes a screenshot of the Xvfb screen with xwd, converts
# it to PNG with ImageMagick and checks the pixels the demo names.
set -u
build=$1 loader=$2 demo=$3 dir=$4
rm -rf "$dir" && mkdir -p "$dir"
DISPLAY=$(cat "$build/wine.display") || exit 1
export DISPLAY
here=$(cd "$(dirname "$0")/../../.." && pwd)
winedir="Z:$(echo "$dir" | tr / '\\')"
"$here/tools/wine-run.sh" "$build" "$loader" "$demo" "$winedir" &
pid=$!
for _ in $(seq 300); do [ -s "$dir/popup.txt" ] && break; sleep 0.1; done
if [ ! -s "$dir/popup.txt" ]; then echo "the demo showed no popup"; kill $pid 2>/dev/null; exit 1; fi
sleep 0.3
xwd -root -silent -out "$dir/screen.xwd" || { touch "$dir/shot.done"; exit 1; }
# Xvfb keeps the popup's pixels in the popup window's own store (Wine asks for save-under),
# so the root image shows it black: the popup window is taken by itself too and put into
# the screenshot at its place.
read -r _ cx cy _ _ < <(head -1 "$dir/popup.txt")
# The smallest top-level X window over the popup's top-left corner + (8, 8).
popup="" area=0 x=$((cx + 8)) y=$((cy + 8))
while read -r id w h wx wy; do
  if [ "$x" -ge "$wx" ] && [ "$y" -ge "$wy" ] && [ "$x" -lt $((wx + w)) ] && [ "$y" -lt $((wy + h)) ] &&
     { [ -z "$popup" ] || [ $((w * h)) -lt "$area" ]; }; then
    popup=$id px=$wx py=$wy area=$((w * h))
  fi
done < <(xwininfo -root -children | sed -nE 's/^ *(0x[0-9a-f]+) .* ([0-9]+)x([0-9]+)\+(-?[0-9]+)\+(-?[0-9]+) .*/\1 \2 \3 \4 \5/p')
[ -n "$popup" ] && xwd -id "$popup" -silent -out "$dir/popup.xwd"
touch "$dir/shot.done"
if [ -n "$popup" ]; then
  convert "$dir/screen.xwd" "$dir/popup.xwd" -geometry "+$px+$py" -composite "$dir/screen.png" || exit 1
else
  echo "no X window at the popup's place"
  convert "$dir/screen.xwd" "$dir/screen.png" || exit 1
fi
status=0
while read -r x y want tol what; do
  got=$(convert "$dir/screen.png" -format "%[fx:int(255*p{$x,$y}.r+0.5)] %[fx:int(255*p{$x,$y}.g+0.5)] %[fx:int(255*p{$x,$y}.b+0.5)]" info:)
  read -r r g b <<<"$got"
  wr=$((16#${want:0:2})) wg=$((16#${want:2:2})) wb=$((16#${want:4:2}))
  ok=1
  for d in $((r - wr)) $((g - wg)) $((b - wb)); do
    [ "${d#-}" -le "$tol" ] || ok=0
  done
  if [ $ok = 1 ]; then echo "ok   $what at $x,$y: $r $g $b"
  else echo "FAIL $what at $x,$y: $r $g $b, want $wr $wg $wb (within $tol)"; status=1; fi
done < <(tail -n +2 "$dir/popup.txt")
wait $pid || { echo "demo ended with $?"; status=1; }
echo "screenshot: $dir/screen.png"
exit $status
