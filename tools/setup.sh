#!/usr/bin/env bash
# Installs everything the two build trees need on Debian bookworm (amd64, as root).
# Idempotent: a second run checks and returns in seconds.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
stamp_dir=/var/lib/velmora-setup
mkdir -p "$stamp_dir"

need_pkgs=(
  g++-mingw-w64-i686 g++-mingw-w64-x86-64-posix libz-mingw-w64-dev cmake ninja-build make pkg-config
  libgtest-dev googletest
  wine wine32:i386 wine64 xvfb xauth x11-apps x11-utils xfonts-base fonts-wine fonts-liberation
  zlib1g-dev libpng-dev libjpeg-dev libtiff-dev libgif-dev libjpeg-turbo-progs
  zip unzip imagemagick gcab cabextract liblnk-utils lame wixl msitools
  dpkg-dev nasm
  clang libclang-rt-14-dev
)

missing=()
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  rm -f "$stamp_dir/apt-updated"
fi
for p in "${need_pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

src_list=/etc/apt/sources.list.d/velmora-src.sources
if [ ! -f "$src_list" ]; then
  cat > "$src_list" <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  rm -f "$stamp_dir/apt-updated"
fi

if [ ${#missing[@]} -gt 0 ] || [ ! -f "$stamp_dir/apt-updated" ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  touch "$stamp_dir/apt-updated"
fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The MinGW builds of the picture libraries, from Debian's own sources: 32-bit for the
# deliverables, 64-bit for the test tree on machines that cannot run 32-bit Wine.
"$here/build-mingw-deps.sh" i686-w64-mingw32
"$here/build-mingw-deps.sh" x86_64-w64-mingw32
