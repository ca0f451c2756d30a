#!/usr/bin/env bash
# Sets up the machine, builds every tree and runs every test. Exit status 0 when all pass.
#   tools/test.sh            everything
#   tools/test.sh native     only the native tree (portable code under ASan/UBSan)
#   tools/test.sh win32      only the Windows trees (tests under Wine)
#   tools/test.sh fuzz       only the fuzz targets: every corpus input, then 20,000 runs of each
# The deliverables are 32-bit (build/win32). Their tests run under 32-bit Wine where this
# machine's kernel can run 32-bit programs; where it cannot, build/win32 is only built and
# the same tests run from build/win64, the sources built for 64-bit Windows, under wine64.
# The Windows trees build Release, as they ship (VELMORA_BUILD_TYPE=Debug builds them for
# debugging instead); the native tree builds Debug under ASan and UBSan.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
which=${1:-all}
cross_type=${VELMORA_BUILD_TYPE:-Release}
jobs=$(nproc)

bash "$top/tools/setup.sh" || exit 1

status=0
run_tree() {
  local name=$1 run_tests=$2 type=$3; shift 3
  local dir="$top/build/$name"
  echo "== $name tree: configure and build ($type)"
  cmake -S "$top" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" "$@" >"$dir.configure.log" 2>&1 \
    || { cat "$dir.configure.log"; status=1; return; }
  cmake --build "$dir" -j"$jobs" >"$dir.build.log" 2>&1 \
    || { grep -E 'error|Error' -A3 "$dir.build.log" | head -80; echo "build of the $name tree failed (full log: $dir.build.log)"; status=1; return; }
  if [ "$run_tests" = yes ]; then
    echo "== $name tree: tests"
    ctest --test-dir "$dir" -j"$jobs" --output-on-failure --timeout 600 || status=1
  else
    echo "== $name tree: built; its programs are not run on this machine"
    # The size check of what ships needs no Windows.
    ctest --test-dir "$dir" -R '^player_set_size$' --output-on-failure || status=1
  fi
  # Written by the player set's size check of a Windows tree.
  if [ -f "$dir/ship/player-set-size.txt" ]; then head -1 "$dir/ship/player-set-size.txt"; fi
}

mkdir -p "$top/build"
if [ "$which" = all ] || [ "$which" = native ]; then
  run_tree native yes Debug
fi
if [ "$which" = all ] || [ "$which" = fuzz ]; then
  # A fixed number of runs from a fixed seed: a test run finds the same as the last one did.
  VELMORA_FUZZ_RUNS=${VELMORA_FUZZ_RUNS:-20000} bash "$top/tools/fuzz.sh" || status=1
fi
if [ "$which" = all ] || [ "$which" = win32 ]; then
  if /usr/lib/wine/wine --version >/dev/null 2>&1; then
    run_tree win32 yes "$cross_type" -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-i686.cmake" -DVELMORA_WINE_TESTS=ON \
      -DVELMORA_MINGW_DEPS="$(bash "$top/tools/build-mingw-deps.sh" --prefix i686-w64-mingw32)"
  else
    echo "This kernel cannot run 32-bit programs: the Windows tests run from the 64-bit build."
    run_tree win32 no "$cross_type" -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-i686.cmake" -DVELMORA_WINE_TESTS=OFF \
      -DVELMORA_MINGW_DEPS="$(bash "$top/tools/build-mingw-deps.sh" --prefix i686-w64-mingw32)"
    run_tree win64 yes "$cross_type" -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-x86_64.cmake" -DVELMORA_WINE_TESTS=ON \
      -DVELMORA_MINGW_DEPS="$(bash "$top/tools/build-mingw-deps.sh" --prefix x86_64-w64-mingw32)"
  fi
fi
exit $status
