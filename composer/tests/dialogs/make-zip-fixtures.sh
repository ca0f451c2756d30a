#!/usr/bin/env bash
# Makes the Zip settings dialog's archives with Info-ZIP, into the folder given:
#   contents.zip   a folder entry, then four files, icon names among them; contents.txt lists
#                  its entries as unzip -Z1 sees them
#   long.zip       two files whose paths run to about 300 characters, one of them an icon name
#   damaged.zip    contents.zip cut short: no central directory left
set -euo pipefail
out=$1
rm -rf "$out"
mkdir -p "$out/src/docs" "$out/src/Icons" "$out/long"
cd "$out/src"
printf 'read me\n' > readme.ico
printf 'an icon\n' > Icons/App.ICO
printf 'not an icon\n' > ico.txt
printf 'a text about icons\n' > my.icons.txt
zip -q -X ../contents.zip docs/
zip -q -X -D ../contents.zip readme.ico Icons/App.ICO ico.txt my.icons.txt
cd ../long
deep=$(printf 'd%.0s' $(seq 1 120))/$(printf 'e%.0s' $(seq 1 120))
mkdir -p "$deep"
printf 'far down\n' > "$deep/$(printf 'f%.0s' $(seq 1 50)).txt"
printf 'far down\n' > "$deep/$(printf 'g%.0s' $(seq 1 50)).ico"
zip -q -X -D ../long.zip "$deep"/*.txt "$deep"/*.ico
cd ..
unzip -Z1 contents.zip > contents.txt
size=$(stat -c %s contents.zip)
head -c $((size / 2)) contents.zip > damaged.zip
