#!/usr/bin/env bash
# The main job: builds what is missing and starts a deliverable under Wine.
#   tools/run.sh [Velmora_Composer|Velmora|VelmoraSetup] [arguments...]
# Uses $DISPLAY when set, else an Xvfb of its own. Where this machine cannot run 32-bit
# programs, the 64-bit build of the same sources is started instead (and it says so).
# The tree builds Release, as it ships; VELMORA_BUILD_TYPE=Debug builds it for debugging.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
program=${1:-Velmora_Composer}; shift || true
case $program in
  Velmora_Composer|Velmora|VelmoraSetup) ;;
  *) echo "usage: $0 [Velmora_Composer|Velmora|VelmoraSetup] [arguments...]" >&2; exit 2 ;;
esac

bash "$top/tools/setup.sh" || exit 1
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
  tree=win32 toolchain=mingw-i686 loader=/usr/lib/wine/wine
else
  echo "This kernel cannot run 32-bit programs: starting the 64-bit build of $program."
  tree=win64 toolchain=mingw-x86_64 loader=/usr/lib/wine/wine64
fi
dir="$top/build/$tree"
deps=$(bash "$top/tools/build-mingw-deps.sh" --prefix "${toolchain#mingw-}-w64-mingw32") || exit 1
cmake -S "$top" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="${VELMORA_BUILD_TYPE:-Release}" \
  -DCMAKE_TOOLCHAIN_FILE="$top/cmake/$toolchain.cmake" -DVELMORA_MINGW_DEPS="$deps" >/dev/null || exit 1
cmake --build "$dir" -j"$(nproc)" >"$dir.build.log" 2>&1 || { tail -40 "$dir.build.log"; exit 1; }

missing=""
for d in Velmora_Composer Velmora VelmoraSetup; do
  [ -f "$dir/bin/$d.exe" ] || missing+=" $d.exe"
done
[ -f "$dir/bin/VelmoraV.dll" ] || missing+=" VelmoraV.dll"
[ -z "$missing" ] || echo "Not built yet:$missing"
if [ ! -f "$dir/bin/$program.exe" ]; then
  echo "$program.exe does not exist yet; nothing to start."
  exit 1
fi

xvfb_pid=""
if [ -z "${DISPLAY:-}" ]; then
  num=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$num" >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do [ -s "$num" ] && break; sleep 0.1; done
  export DISPLAY=":$(tr -d '[:space:]' <"$num")"
  rm -f "$num"
  echo "Started Xvfb on $DISPLAY"
fi
export WINEPREFIX="$dir/wineprefix" WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
cd "$dir/bin" && "$loader" "./$program.exe" "$@"
rc=$?
[ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
exit $rc
