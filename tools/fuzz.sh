#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer and UBSan) in build/fuzz and runs each for a
# fixed time, two at a time, with a fresh random seed each run (printed, so that a run can be replayed).
# Each target starts from its seeds in tests/fuzz/corpus/<target>/ (not changed) and from the corpus the
# earlier runs on this machine grew in build/fuzz/corpus/<target>/, which gets what this run finds. An
# input that fails is kept in build/fuzz/findings/, the report in build/fuzz/logs/.
#
#   tools/fuzz.sh [--seed N] [SECONDS per target, default 20] [TARGET...]
#   tools/fuzz.sh --merge [TARGET...]
#
# --merge adds to tests/fuzz/corpus/<target>/ the fewest inputs of the grown corpus that reach coverage
# the seeds do not (libFuzzer's -merge=1), to be reviewed and committed.
# A run ends with "fuzz: N passed, N failed"; the exit code is 0 only when every target built and ran clean.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$root/build/fuzz"
grown="$build/corpus"
seeds="$root/tests/fuzz/corpus"
merge=0
seed=
while [ $# -gt 0 ]; do
  case $1 in
    --merge) merge=1; shift ;;
    --seed) seed=$2; shift 2 ;;
    *) break ;;
  esac
done
seconds=20
if [ $merge -eq 0 ] && [ $# -gt 0 ]; then
  seconds=$1
  shift
fi
[ -n "$seed" ] || seed=$(( $(od -An -N4 -tu4 /dev/urandom) % 2147483647 + 1 ))
logs="$build/logs"
findings="$build/findings"
mkdir -p "$logs" "$findings" "$grown"

echo "== fuzz: build"
if ! { cmake -S "$root" -B "$build" -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
         -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARN_FUZZ=ON >"$logs/configure.log" 2>&1 &&
       cmake --build "$build" -j 2 >"$logs/build.log" 2>&1; }; then
  tail -n 40 "$logs/configure.log" "$logs/build.log"
  echo "fuzz: BUILD FAILED (see $logs/build.log)"
  exit 1
fi

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for bin in "$build"/bin/*_fuzz; do targets+=("$(basename "$bin" _fuzz)"); done
fi

count() { find "$1" -maxdepth 1 -type f 2>/dev/null | wc -l; }

if [ $merge -eq 1 ]; then
  status=0
  for t in "${targets[@]}"; do
    mkdir -p "$seeds/$t" "$grown/$t"
    before=$(count "$seeds/$t")
    if ! "$build/bin/${t}_fuzz" -merge=1 -rss_limit_mb=1024 -timeout=10 -max_len=4096 \
           "$seeds/$t" "$grown/$t" >"$logs/$t-merge.log" 2>&1; then
      echo "  $t: MERGE FAILED (see $logs/$t-merge.log)"
      status=1
      continue
    fi
    echo "  $t: $before seeds, $(count "$grown/$t") grown, $(count "$seeds/$t") seeds after the merge"
  done
  exit $status
fi

run_one() {  # target
  local t=$1
  mkdir -p "$grown/$t"
  # The order properties need many entries at once: that target starts with long inputs.
  local extra=()
  [ "$t" = sort_order ] && extra=(-len_control=0)
  # New inputs go to the first folder only: the grown corpus.
  "$build/bin/${t}_fuzz" -max_total_time="$seconds" -seed="$seed" -rss_limit_mb=1024 -timeout=10 -max_len=4096 \
    "${extra[@]}" -print_final_stats=1 -artifact_prefix="$findings/$t-" "$grown/$t" "$seeds/$t" \
    >"$logs/$t.log" 2>&1
  echo $? >"$logs/$t.rc"
}

echo "== fuzz: seed $seed (replay: tools/fuzz.sh --seed $seed $seconds TARGET)"
start=$(date +%s)
running=0
for t in "${targets[@]}"; do
  rm -f "$logs/$t.rc"
  echo "$(count "$grown/$t")" >"$logs/$t.before"
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
  sizes="grown corpus $(cat "$logs/$t.before") -> $(count "$grown/$t")"
  if [ "$rc" = 0 ]; then
    passed=$((passed + 1))
    echo "  $t: ${runs:-?} runs, $sizes, no finding"
  else
    failures=$((failures + 1))
    echo "  $t: FAILED (exit $rc, see $logs/$t.log), $sizes"
    grep -h -E 'ERROR: |property failed|runtime error|Test unit written' "$logs/$t.log" | head -5 | sed 's/^/    /'
  fi
  rm -f "$logs/$t.before"
done
echo "== fuzz: ${#targets[@]} targets, ${seconds} s each, seed $seed, $(( $(date +%s) - start )) s"
echo "fuzz: $passed passed, $failures failed"
[ $failures -eq 0 ]
