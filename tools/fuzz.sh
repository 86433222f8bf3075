#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer and UBSan) in build/fuzz and runs each for a
# fixed time, two at a time, from a scratch copy of its seeds in tests/fuzz/corpus/<target>/ (the tree is
# not changed). An input that fails is kept in build/fuzz/findings/, the report in build/fuzz/logs/.
#
#   tools/fuzz.sh [SECONDS per target, default 20] [TARGET...]
#
# Ends with "fuzz: N passed, N failed"; the exit code is 0 only when every target built and ran clean.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$root/build/fuzz"
seconds=${1:-20}
shift $(( $# > 0 ? 1 : 0 ))
logs="$build/logs"
findings="$build/findings"
mkdir -p "$logs" "$findings"

echo "== fuzz: build"
if ! { cmake -S "$root" -B "$build" -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
         -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARN_FUZZ=ON >"$logs/configure.log" 2>&1 &&
       cmake --build "$build" -j 2 >"$logs/build.log" 2>&1; }; then
  tail -40 "$logs/configure.log" "$logs/build.log"
  echo "fuzz: BUILD FAILED (see $logs/build.log)"
  exit 1
fi

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for bin in "$build"/bin/*_fuzz; do targets+=("$(basename "$bin" _fuzz)"); done
fi

run_one() {  # target
  local t=$1 scratch="$build/run/$1"
  rm -rf "$scratch"
  mkdir -p "$scratch"
  [ -d "$root/tests/fuzz/corpus/$t" ] && cp -R "$root/tests/fuzz/corpus/$t/." "$scratch/"
  # The order properties need many entries at once: that target starts with long inputs.
  local extra=()
  [ "$t" = sort_order ] && extra=(-len_control=0)
  "$build/bin/${t}_fuzz" -max_total_time="$seconds" -seed=1 -rss_limit_mb=1024 -timeout=10 -max_len=4096 \
    "${extra[@]}" -print_final_stats=1 -artifact_prefix="$findings/$t-" "$scratch" >"$logs/$t.log" 2>&1
  echo $? >"$logs/$t.rc"
}

start=$(date +%s)
running=0
for t in "${targets[@]}"; do
  rm -f "$logs/$t.rc"
  run_one "$t" &
  running=$((running + 1))
  if [ $running -ge 2 ]; then
    wait -n
    running=$((running - 1))
  fi
done
wait

passed=0
failures=0
for t in "${targets[@]}"; do
  rc=$(cat "$logs/$t.rc" 2>/dev/null || echo missing)
  runs=$(grep -h -o 'stat::number_of_executed_units: [0-9]*' "$logs/$t.log" | awk '{print $2}')
  if [ "$rc" = 0 ]; then
    passed=$((passed + 1))
    echo "  $t: ${runs:-?} runs, no finding"
  else
    failures=$((failures + 1))
    echo "  $t: FAILED (exit $rc, see $logs/$t.log)"
    grep -h -E 'ERROR: |property failed|runtime error|Test unit written' "$logs/$t.log" | head -5 | sed 's/^/    /'
  fi
done
echo "== fuzz: ${#targets[@]} targets, ${seconds} s each, $(( $(date +%s) - start )) s"
echo "fuzz: $passed passed, $failures failed"
[ $failures -eq 0 ]
