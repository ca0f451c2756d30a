#!/usr/bin/env bash
# screenshot.sh <build tree> <showcase program> <png>: shows the controls' dialog under Wine,
# takes a picture of the whole X screen and checks it with ImageMagick: the links' blue, the
# hot link's red and the caption colours must be in it.
set -u
build=$1 program=$2 png=$3
DISPLAY=$(cat "$build/wine.display") || { echo "no display of the Wine fixture"; exit 1; }
export DISPLAY
ready=$(mktemp -u "$build/showcase-ready.XXXXXX")
"$(dirname "$0")/../../tools/wine-run.sh" "$build" "$program" "$(echo "Z:$ready" | tr / '\\')" &
pid=$!
for _ in $(seq 150); do [ -e "$ready" ] && break; sleep 0.1; done
[ -e "$ready" ] || { echo "the dialog did not come up"; kill "$pid" 2>/dev/null; exit 1; }
sleep 0.5
xwd -root -silent -display "$DISPLAY" >"$png.xwd" && convert "$png.xwd" "$png" || { kill "$pid"; exit 1; }
rm -f "$png.xwd" "$ready"
wait "$pid"
count() { convert "$png" -fill black +opaque "$1" -fill white -opaque "$1" -format '%[fx:round(mean*w*h)]' info:; }
status=0
for colour in '#0000FF' '#FF0000' '#008000'; do
  n=$(count "$colour")
  echo "$colour: $n pixels"
  [ "$n" -gt 10 ] || { echo "too few pixels of $colour in $png"; status=1; }
done
echo "screenshot: $png"
exit $status
