#!/usr/bin/env bash
# Builds the fuzz targets (build/fuzz: the native tree by clang, -DVELMORA_FUZZ=ON), runs
# each once over every input of its seed corpus, then fuzzes them all in parallel.
#   tools/fuzz.sh [seconds [target...]]   seconds of fuzzing per target (default 30)
# A crash, leak, timeout or running out of memory fails the run; the input that did it is
# printed and kept under build/fuzz/findings/. New inputs found while fuzzing are kept in
# build/fuzz/findings/<target>.corpus, so a later run goes on from them.
# With VELMORA_FUZZ_RUNS set, each target makes that many runs from a fixed seed instead of
# fuzzing for a time: the same inputs every time from a fresh tree (what the test run uses).
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-30}
shift $(( $# > 0 ? 1 : 0 ))
dir="$top/build/fuzz"
out="$dir/findings"
mkdir -p "$out"

echo "== fuzz targets: configure and build"
CC=clang CXX=clang++ cmake -S "$top" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELMORA_FUZZ=ON \
    >"$dir.configure.log" 2>&1 || { cat "$dir.configure.log"; exit 1; }
cmake --build "$dir" -j"$(nproc)" --target fuzzers >"$dir.build.log" 2>&1 \
  || { grep -E 'error' -A3 "$dir.build.log" | head -80; echo "build of the fuzz targets failed (full log: $dir.build.log)"; exit 1; }

targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=($(cd "$dir/fuzzers" && ls *.corpus | sed 's/\.corpus$//'))
# Every input within 10 s and 2 GB; leaks are found by LeakSanitizer.
limits=(-timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=2048)

# The first crash report of a log, and the input it names.
report() {
  local name=$1 log=$2
  echo "---- $name failed:"
  grep -E -A25 '==ERROR|ERROR: libFuzzer|deadly signal|Test unit written|SUMMARY' "$log" | head -80 \
    || tail -n 20 "$log"  # stopped before fuzzing, e.g. by its options or folders
  # Fuzzing writes the input out; a replay names the file it was running.
  for input in $(grep -oE "Test unit written to [^ ]+" "$log" | awk '{print $5}') \
               $(grep -E '^Running: ' "$log" | tail -n 1 | cut -d' ' -f2-); do
    echo "---- input $input:"
    od -A x -t x1z -v "$input" | head -40
  done
}

status=0
echo "== fuzz targets: every corpus input once"
for name in "${targets[@]}"; do
  mapfile -t folders <"$dir/fuzzers/$name.corpus"
  inputs=$(find "${folders[@]}" -type f | sort)
  log="$out/$name.replay.log"
  # shellcheck disable=SC2086
  if "$dir/bin/$name" "${limits[@]}" -artifact_prefix="$out/$name-" $inputs >"$log" 2>&1; then
    echo "$name: $(echo "$inputs" | wc -l) inputs"
  else
    report "$name" "$log"; status=1
  fi
done
[ $status = 0 ] || exit 1

if [ -n "${VELMORA_FUZZ_RUNS:-}" ]; then
  budget=(-runs="$VELMORA_FUZZ_RUNS" -seed=1)
  echo "== fuzz targets: $VELMORA_FUZZ_RUNS runs each from a fixed seed, in parallel"
else
  budget=(-max_total_time="$seconds")
  echo "== fuzz targets: ${seconds} s each, in parallel"
fi
pids=()
for name in "${targets[@]}"; do
  mapfile -t folders <"$dir/fuzzers/$name.corpus"
  mkdir -p "$out/$name.corpus"
  "$dir/bin/$name" "${limits[@]}" "${budget[@]}" -print_final_stats=1 \
      -artifact_prefix="$out/$name-" "$out/$name.corpus" "${folders[@]}" >"$out/$name.log" 2>&1 &
  pids+=($!)
done
for i in "${!targets[@]}"; do
  name=${targets[$i]}
  if wait "${pids[$i]}"; then
    echo "$name: $(grep -oE 'stat::number_of_executed_units: *[0-9]+' "$out/$name.log" | awk '{print $2}') runs, nothing found"
  else
    report "$name" "$out/$name.log"; status=1
  fi
done
exit $status
