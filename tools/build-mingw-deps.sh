#!/usr/bin/env bash
# Cross-builds static MinGW libpng, libjpeg-turbo, libtiff and giflib from Debian's source
# packages into a prefix named after the target and the versions; rebuilt only when one changes.
#   build-mingw-deps.sh [triplet]            (default i686-w64-mingw32)
#   build-mingw-deps.sh --prefix [triplet]   prints the prefix this checkout builds into
# The build trees use that prefix (tools/test.sh and tools/run.sh pass it), so checkouts of
# different recipes on one machine each link their own; /opt/velmora-mingw-deps/<triplet>
# links to the one built last.
set -euo pipefail

print_prefix=false
if [ "${1:-}" = --prefix ]; then print_prefix=true; shift; fi
triplet=${1:-i686-w64-mingw32}
pkgs=(libpng1.6 libjpeg-turbo tiff giflib)
versions=""
for p in "${pkgs[@]}"; do
  v=$(apt-cache showsrc "$p" 2>/dev/null | awk '/^Version:/{print $2; exit}')
  [ -n "$v" ] || { echo "build-mingw-deps: no source package $p (is deb-src configured?)" >&2; exit 1; }
  versions+="$p=$v;"
done
# The tag covers this script too: a changed recipe builds a new prefix on every machine.
recipe=$(sha1sum "$0" | cut -c1-40)
tag=$(printf '%s' "$triplet;$versions;$recipe" | sha1sum | cut -c1-12)
prefix=/opt/velmora-mingw-deps/$triplet-$tag
if $print_prefix; then echo "$prefix"; exit 0; fi
if [ -f "$prefix/.complete" ]; then
  ln -sfn "$prefix" "/opt/velmora-mingw-deps/$triplet"
  exit 0
fi

echo "build-mingw-deps: building $versions into $prefix"
work=$(mktemp -d /tmp/velmora-deps.XXXXXX)
trap 'rm -rf "$work"' EXIT
cd "$work"
apt-get source -qq --download-only "${pkgs[@]}" >/dev/null 2>&1 || apt-get source --download-only "${pkgs[@]}"
for dsc in *.dsc; do dpkg-source -x --no-check "$dsc" >/dev/null; done

rm -rf "$prefix"; mkdir -p "$prefix/lib" "$prefix/include"
jobs=$(nproc)
tc="$work/toolchain.cmake"
cat > "$tc" <<TC
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${triplet%%-*})
set(CMAKE_C_COMPILER $triplet-gcc-posix)
set(CMAKE_CXX_COMPILER $triplet-g++-posix)
set(CMAKE_RC_COMPILER $triplet-windres)
set(CMAKE_FIND_ROOT_PATH /usr/$triplet $prefix)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
TC
# Each function and datum in a section of its own, so that a module's link (--gc-sections)
# leaves out whatever of a library nothing reaches. The linker keeps every function an unwind
# table names, so on 32-bit Windows these C libraries are built without them: nothing is
# unwound through them (our callbacks into them let no C++ exception out, and longjmp there
# needs no tables). 64-bit Windows unwinds longjmp through the tables, so there they stay.
# -O2 as for our own picture code (libjpeg-turbo keeps the -O3 it asks for itself).
cflags="-ffunction-sections -fdata-sections"
case $triplet in i686-*) cflags+=" -fno-asynchronous-unwind-tables -fno-unwind-tables" ;; esac
common=(-DCMAKE_TOOLCHAIN_FILE="$tc" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix"
        -DBUILD_SHARED_LIBS=OFF -DCMAKE_POSITION_INDEPENDENT_CODE=OFF
        -DCMAKE_C_FLAGS="$cflags" -DCMAKE_C_FLAGS_RELEASE="-O2 -DNDEBUG")

# zlib comes from libz-mingw-w64-dev
zinc=/usr/$triplet/include
zlib=/usr/$triplet/lib/libz.a

# libpng
d=$(ls -d libpng1.6-*/ | head -1)
cmake -S "$d" -B b-png "${common[@]}" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
  -DZLIB_INCLUDE_DIR=$zinc -DZLIB_LIBRARY=$zlib -DPNG_ARM_NEON=off -DPNG_HARDWARE_OPTIMIZATIONS=OFF >/dev/null
cmake --build b-png -j"$jobs" >/dev/null
cmake --install b-png >/dev/null

# libjpeg-turbo, with its SIMD code (assembled by nasm; the build fails rather than quietly
# leaving it out). libtiff's JPEG codec links the encoder in too, which nothing here runs:
# USE_CLZ_INTRINSIC has its C Huffman encoders count bits with the processor's instruction
# instead of two 64 KB tables (the SIMD encoder keeps its own).
d=$(ls -d libjpeg-turbo-*/ | head -1)
cmake -S "$d" -B b-jpeg "${common[@]}" -DCMAKE_C_FLAGS="$cflags -DUSE_CLZ_INTRINSIC" \
  -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=ON -DREQUIRE_SIMD=ON \
  -DCMAKE_ASM_NASM_COMPILER=nasm -DWITH_TURBOJPEG=OFF -DWITH_JAVA=OFF >/dev/null
cmake --build b-jpeg -j"$jobs" >/dev/null
cmake --install b-jpeg >/dev/null

# libtiff
d=$(ls -d tiff-*/ | head -1)
cmake -S "$d" -B b-tiff "${common[@]}" -Dzstd=OFF -Dlzma=OFF -Dwebp=OFF -Djbig=OFF -Dlerc=OFF -Dlibdeflate=OFF \
  -Djpeg=ON -Dzlib=ON -Dtiff-tools=OFF -Dtiff-tests=OFF -Dtiff-contrib=OFF -Dtiff-docs=OFF -Dcxx=OFF \
  -DZLIB_INCLUDE_DIR=$zinc -DZLIB_LIBRARY=$zlib \
  -DJPEG_INCLUDE_DIR="$prefix/include" -DJPEG_LIBRARY="$prefix/lib/libjpeg.a" >/dev/null
cmake --build b-tiff -j"$jobs" >/dev/null
cmake --install b-tiff >/dev/null

# giflib: its library sources compile directly
d=$(ls -d giflib-*/ | head -1)
mkdir -p b-gif
for c in dgif_lib egif_lib gifalloc gif_err gif_font gif_hash openbsd-reallocarray quantize; do
  [ -f "$d/$c.c" ] && $triplet-gcc-posix -O2 $cflags -c "$d/$c.c" -I"$d" -o "b-gif/$c.o"
done
$triplet-ar rcs "$prefix/lib/libgif.a" b-gif/*.o
cp "$d/gif_lib.h" "$prefix/include/"

printf '%s\n' "$versions" | tr ';' '\n' > "$prefix/VERSIONS"
touch "$prefix/.complete"
ln -sfn "$prefix" "/opt/velmora-mingw-deps/$triplet"
echo "build-mingw-deps: done"
