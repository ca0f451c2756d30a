#!/usr/bin/env bash
# Sets up the machine, builds both trees and runs every test. Exit status: 0 when all pass.
#   tools/test.sh            everything
#   tools/test.sh native     only the native tree (portable code under ASan/UBSan)
#   tools/test.sh win32      only the Windows tree (tests under Wine)
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
which=${1:-all}
jobs=$(nproc)

bash "$top/tools/setup.sh" || exit 1

status=0
run_tree() {
  local name=$1; shift
  local dir="$top/build/$name"
  echo "== $name tree: configure and build"
  cmake -S "$top" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug "$@" >"$dir.configure.log" 2>&1 \
    || { cat "$dir.configure.log"; status=1; return; }
  cmake --build "$dir" -j"$jobs" >"$dir.build.log" 2>&1 \
    || { grep -E 'error|Error' -A3 "$dir.build.log" | head -80; echo "build of the $name tree failed (full log: $dir.build.log)"; status=1; return; }
  echo "== $name tree: tests"
  ctest --test-dir "$dir" -j"$jobs" --output-on-failure --timeout 600 || status=1
}

mkdir -p "$top/build"
if [ "$which" = all ] || [ "$which" = native ]; then
  run_tree native
fi
if [ "$which" = all ] || [ "$which" = win32 ]; then
  run_tree win32 -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-i686.cmake"
fi
exit $status
