#!/usr/bin/env bash
# menu_screenshot.sh <build tree> <wine loader> <demo program> <scratch folder>
# Runs the popup demo under Wine, takes a screenshot of the whole Xvfb screen with xwd,
# converts it to PNG with ImageMagick and checks the pixels the demo names.
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
xwd -root -display "$DISPLAY" -silent -out "$dir/screen.xwd" || { touch "$dir/shot.done"; exit 1; }
touch "$dir/shot.done"
convert "$dir/screen.xwd" "$dir/screen.png" || exit 1
status=0
while read -r x y want tol what; do
  got=$(convert "$dir/screen.png" -format '%[fx:int(255*p{'"$x,$y"'}.r)] %[fx:int(255*p{'"$x,$y"'}.g)] %[fx:int(255*p{'"$x,$y"'}.b)]' info:)
  read -r r g b <<<"$got"
  wr=$((16#${want:0:2})) wg=$((16#${want:2:2})) wb=$((16#${want:4:2}))
  ok=1
  for pair in "$r $wr" "$g $wg" "$b $wb"; do
    set -- $pair
    d=$(( $1 - $2 )); d=${d#-}
    [ "$d" -le "$tol" ] || ok=0
  done
  if [ $ok = 1 ]; then echo "ok   $what at $x,$y: $r $g $b"; else echo "FAIL $what at $x,$y: $r $g $b, want $wr $wg $wb (±$tol)"; status=1; fi
done <"$dir/popup.txt"
wait $pid || { echo "demo ended with $?"; status=1; }
echo "screenshot: $dir/screen.png"
exit $status
