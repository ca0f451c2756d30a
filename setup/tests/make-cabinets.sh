#!/usr/bin/env bash
# make-cabinets.sh FOLDER: the cabinets the extractor's tests unpack, made with gcab and
# checked with cabextract first (a cut, flipped or non-cabinet must fail its test).
set -euo pipefail
out=$1
rm -rf "$out"
mkdir -p "$out/src/sub"
cd "$out/src"
printf 'A small text file.\r\n' > small.txt
head -c 300000 /dev/urandom > data.bin
printf 'In a subfolder.\r\n' > sub/inner.txt
printf 'Not there.\r\n' > ZZ_evil.txt
printf '15 bytes long.\n' > short.txt
printf 'Attributes and a time.\r\n' > attr.txt
touch -d '2001-02-03 04:05:06' attr.txt
cd "$out"

gcab -c -n stored.cab src/small.txt src/data.bin
gcab -c -z -n mszip.cab src/small.txt src/data.bin
(cd src && gcab -c -z ../folders.cab small.txt sub/inner.txt)
gcab -c -n short.cab src/short.txt

# Names carry no checksum: patch a stored name to one that leaves the target folder.
gcab -c -n evil.cab src/small.txt src/ZZ_evil.txt
off=$(grep -obUa 'ZZ_evil.txt' evil.cab | head -1 | cut -d: -f1)
printf '..\\evil.txt' | dd of=evil.cab bs=1 seek="$off" conv=notrunc status=none

# Attributes: read-only, hidden, system and archive, plus 0x40 that must be masked off.
gcab -c -n attrs.cab src/attr.txt
off=$(grep -obUa 'attr.txt' attrs.cab | head -1 | cut -d: -f1)
printf '\x67\x00' | dd of=attrs.cab bs=1 seek=$((off - 2)) conv=notrunc status=none

head -c 200000 stored.cab > cut.cab
cp stored.cab flipped.cab
printf '\x5a' | dd of=flipped.cab bs=1 seek=150000 conv=notrunc status=none
cmp -s stored.cab flipped.cab && printf '\xa5' | dd of=flipped.cab bs=1 seek=150000 conv=notrunc status=none
printf 'This is not a cabinet at all, only text.\r\n' > notcab.cab

for good in stored mszip folders short evil attrs; do
  cabextract -q -t "$good.cab" >/dev/null || { echo "cabextract refuses $good.cab"; exit 1; }
done
for bad in cut flipped notcab; do
  if cabextract -q -t "$bad.cab" >/dev/null 2>&1; then echo "cabextract accepts $bad.cab"; exit 1; fi
done
echo "cabinets made and checked in $out"
