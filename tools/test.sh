#!/usr/bin/env bash
# Builds everything and runs every test: the native unit tests (plain and under AddressSanitizer and
# UndefinedBehaviorSanitizer), the fuzz targets for a fixed time each (tools/fuzz.sh), then the Win32
# tests under Wine in a private Xvfb: in-process window tests and end-to-end tests of the real
# Tarnvale.exe. Ends with a summary; the exit code is 0 only if all pass.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

"$root/tools/setup.sh" || exit 1

build="$root/build"
logs="$build/test-logs"
mkdir -p "$logs"
jobs=$(nproc 2>/dev/null || echo 2)
results=()
failed=0

configure_and_build() {  # name dir cmake-args...
  local name=$1 dir=$2; shift 2
  echo "== build: $name"
  cmake -S "$root" -B "$dir" -G Ninja "$@" >"$logs/$name-configure.log" 2>&1 &&
    cmake --build "$dir" -j "$jobs" >"$logs/$name-build.log" 2>&1
  local rc=$?
  if [ $rc -ne 0 ]; then
    tail -n 40 "$logs/$name-configure.log" "$logs/$name-build.log"
    results+=("$name: BUILD FAILED (see $logs/$name-build.log)")
    failed=1
  fi
  return $rc
}

run_ctest() {  # name dir [ctest-args...]
  local name=$1 dir=$2; shift 2
  echo "== test: $name"
  ctest --test-dir "$dir" -V "$@" >"$logs/$name-test.log" 2>&1
  local rc=$?
  local passed failures
  passed=$(grep -h -o '\[  PASSED  \] [0-9]* test' "$logs/$name-test.log" | awk '{s+=$4} END {print s+0}')
  failures=$(grep -h -c '^\[  FAILED  \] .*\..*' "$logs/$name-test.log" || true)
  if [ $rc -ne 0 ]; then
    grep -E '^\[  FAILED  \]|Failure|^.*\*\*\*' "$logs/$name-test.log" | head -40
    results+=("$name: FAILED ($passed cases passed, failures listed in $logs/$name-test.log)")
    failed=1
  else
    results+=("$name: $passed cases passed")
  fi
  : "$failures"
}

start=$(date +%s)

if configure_and_build native "$build/native" -DCMAKE_BUILD_TYPE=RelWithDebInfo; then
  run_ctest native "$build/native" -j "$jobs"
fi
if configure_and_build sanitizers "$build/native-san" -DCMAKE_BUILD_TYPE=Debug -DTARN_SANITIZE=ON; then
  run_ctest sanitizers "$build/native-san" -j "$jobs"
fi

# The fuzz targets (clang, libFuzzer, under the sanitizers), each for a fixed time from its seeds and the
# corpus earlier runs grew, with a fresh seed.
fuzz_seconds=20
echo "== build and run: fuzz (${fuzz_seconds} s a target)"
"$root/tools/fuzz.sh" "$fuzz_seconds" >"$logs/fuzz.log" 2>&1
fuzz_rc=$?
fuzz_counts=$(grep -h '^fuzz: ' "$logs/fuzz.log" | tail -1)
if [ $fuzz_rc -ne 0 ]; then
  grep -E 'FAILED|property failed|ERROR: ' "$logs/fuzz.log" | head -20
  results+=("fuzz: FAILED (${fuzz_counts#fuzz: }; see $logs/fuzz.log)")
  failed=1
else
  results+=("fuzz: ${fuzz_counts#fuzz: } targets, ${fuzz_seconds} s each, no finding")
fi

if configure_and_build windows "$build/win" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo; then
  export TARN_BUILD="$build/win"
  # shellcheck source=wine-env.sh
  . "$root/tools/wine-env.sh"
  if tarn_xvfb_start; then
    trap 'wineserver -k 2>/dev/null; tarn_xvfb_stop' EXIT
    tarn_wine_init
    run_ctest wine "$build/win"
    # The main screens the end-to-end run took, as small PNGs for the README (docs/screens/ holds a copy).
    for shot in "$logs"/screen-*.bmp; do
      [ -f "$shot" ] && convert "$shot" -resize 75% "${shot%.bmp}.png" 2>/dev/null
    done
  else
    results+=("wine: NOT RUN (no X server)")
    failed=1
  fi
fi

echo
echo "== summary ($(( $(date +%s) - start )) s)"
for r in "${results[@]}"; do echo "  $r"; done
[ $failed -eq 0 ] && echo "  all tests passed" || echo "  SOME TESTS FAILED"
exit $failed
